#pragma once

#include <functional>

#include "platform/picture_loader.h"
#include "platform/win32/wic.h"

namespace win32 {

// A picture scaled for showing, as a premultiplied DIB section.
class Picture : public platform::Picture {
  public:
    explicit Picture(DecodedBitmap bitmap) : bitmap_(std::move(bitmap)) {}
    HBITMAP handle() const { return bitmap_.bitmap.get(); }
    int width() const { return bitmap_.width; }
    int height() const { return bitmap_.height; }

  private:
    DecodedBitmap bitmap_;
};

// Loads pictures through WIC and keeps only the copy scaled to the size
// they are shown at, never the full-size picture.
class PictureLoader : public platform::PictureLoader {
  public:
    // `dpi` tells the window's current dots per inch.
    explicit PictureLoader(std::function<UINT()> dpi);
    std::optional<platform::PicturePtr> load(const std::u16string& path, int widthTwips,
                                             int heightTwips) override;

  private:
    std::function<UINT()> dpi_;
    ComPtr<IWICImagingFactory> factory_;
};

}  // namespace win32
