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
    // The file a picture was decoded from, as far as telling a changed file
    // from the same one needs.
    struct Source {
        std::u16string path;
        int width = 0;
        int height = 0;
        FILETIME written{};
        ULONGLONG size = 0;
        bool operator==(const Source& other) const;
    };

    std::function<UINT()> dpi_;
    ComPtr<IWICImagingFactory> factory_;
    // The last picture shown: the reader empties the picture box and fills it
    // again with the same path, which must not decode a large photograph twice.
    std::optional<Source> lastSource_;
    platform::PicturePtr lastPicture_;
};

}  // namespace win32
