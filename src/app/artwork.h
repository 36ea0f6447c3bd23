#pragma once

#include <windows.h>

#include <map>

#include "mainwindow/controls.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/wic.h"

namespace app {

// One of the window's pictures, ready to draw.
struct ArtworkPicture {
    int width = 0;
    int height = 0;
    // An opaque picture at its stored size: its pixels where the program's
    // image holds them, copied to the screen as they are.
    BITMAPINFO stored{};
    const void* storedBits = nullptr;
    // Otherwise a premultiplied bitmap, blended.
    HBITMAP bitmap = nullptr;
};

// The window's pictures, stored in the program in the form the painter
// draws, and kept scaled for the window's current DPI.
class ArtworkSet {
  public:
    ArtworkSet();

    // Off 96 dpi the pictures are scaled with WIC, in COM entered through
    // `com` on the calling thread.
    void scaleFor(UINT dpi, win32::ComOnFirstUse& com);

    // Null when the picture could not be loaded.
    const ArtworkPicture* background() const { return find(mainwindow::Artwork::background); }
    const ArtworkPicture* picture(mainwindow::Artwork art) const { return find(art); }

  private:
    struct Held {
        ArtworkPicture picture;
        // The bitmap `picture` draws, when it is not drawn from the image.
        win32::DecodedBitmap owned;
    };
    static Held hold(win32::DecodedBitmap bitmap);
    static Held load(int resourceId);

    const ArtworkPicture* find(mainwindow::Artwork art) const;

    // As drawn, for 96 dpi.
    std::map<mainwindow::Artwork, Held> original_;
    // Scaled for another DPI; empty at 96 dpi.
    std::map<mainwindow::Artwork, Held> scaled_;
    UINT dpi_ = 96;
};

}  // namespace app
