#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <vector>

#include "mainwindow/controls.h"
#include "platform/win32/decoded_bitmap.h"

namespace mainwindow::win32 {

// One of the window's pictures, ready to draw.
struct ArtworkPicture {
    int width = 0;
    int height = 0;
    // An opaque picture at its stored size: its pixels as they were
    // inflated, copied to the screen as they are.
    BITMAPINFO stored{};
    const void* storedBits = nullptr;
    // Otherwise a premultiplied bitmap, blended.
    HBITMAP bitmap = nullptr;
};

// The window's pictures, stored deflated in the program in the form the
// painter draws, and kept scaled for the window's current DPI.
class ArtworkSet {
  public:
    ArtworkSet();

    void scaleFor(UINT dpi);

    // Null when the picture could not be loaded.
    const ArtworkPicture* background() const { return find(mainwindow::Artwork::background); }
    const ArtworkPicture* picture(mainwindow::Artwork art) const { return find(art); }

  private:
    struct Held {
        ArtworkPicture picture;
        // What `picture` draws: the inflated file of an opaque picture, or
        // the bitmap of one to blend.
        std::vector<std::byte> file;
        ::win32::DecodedBitmap owned;
    };
    static Held hold(::win32::DecodedBitmap bitmap);
    static Held load(int resourceId);

    const ArtworkPicture* find(mainwindow::Artwork art) const;

    // As drawn, for 96 dpi.
    std::map<mainwindow::Artwork, Held> original_;
    // Scaled for another DPI; empty at 96 dpi.
    std::map<mainwindow::Artwork, Held> scaled_;
    UINT dpi_ = 96;
};

}  // namespace mainwindow::win32
