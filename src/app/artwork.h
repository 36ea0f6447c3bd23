#pragma once

#include <windows.h>

#include <map>

#include "mainwindow/controls.h"
#include "platform/win32/wic.h"

namespace app {

// The window's pictures, stored in the program as the premultiplied bitmaps
// the painter draws, and kept scaled for the window's current DPI.
class ArtworkSet {
  public:
    ArtworkSet();

    void scaleFor(UINT dpi);

    // Null when the picture could not be loaded.
    const win32::DecodedBitmap* background() const { return find(mainwindow::Artwork::background); }
    const win32::DecodedBitmap* picture(mainwindow::Artwork art) const { return find(art); }

  private:
    const win32::DecodedBitmap* find(mainwindow::Artwork art) const;

    // As drawn, for 96 dpi.
    std::map<mainwindow::Artwork, win32::DecodedBitmap> original_;
    // Scaled for another DPI; empty at 96 dpi.
    std::map<mainwindow::Artwork, win32::DecodedBitmap> scaled_;
    UINT dpi_ = 96;
};

}  // namespace app
