#pragma once

#include <windows.h>

#include <map>

#include "mainwindow/controls.h"
#include "platform/win32/wic.h"

namespace app {

// The window's pictures, decoded once from the program's resources and kept
// scaled for the window's current DPI.
class ArtworkSet {
  public:
    explicit ArtworkSet(IWICImagingFactory& factory);

    void scaleFor(UINT dpi);

    // Null when the picture could not be loaded.
    const win32::DecodedBitmap* background() const { return find(mainwindow::Artwork::background); }
    const win32::DecodedBitmap* picture(mainwindow::Artwork art) const { return find(art); }

  private:
    const win32::DecodedBitmap* find(mainwindow::Artwork art) const;

    IWICImagingFactory& factory_;
    std::map<mainwindow::Artwork, win32::ComPtr<IWICBitmapSource>> sources_;
    std::map<mainwindow::Artwork, win32::DecodedBitmap> scaled_;
    UINT dpi_ = 0;
};

}  // namespace app
