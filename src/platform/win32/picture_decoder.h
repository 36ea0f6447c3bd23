#pragma once

#include <optional>
#include <string>

#include "platform/picture.h"
#include "platform/win32/wic.h"

namespace win32 {

// Decodes picture files through WIC, or OLE's picture loading where WIC is
// missing, and keeps only the copy scaled to the size they are shown at.
// One thread at a time: it holds a WIC factory of the thread it was made on.
class PictureDecoder {
  public:
    PictureDecoder();

    // The picture in the file scaled to `width` x `height` pixels. An empty
    // path gives the empty picture (null); a missing file, one that holds no
    // picture, or a decode that `stop` ended gives nothing.
    platform::LoadedPicture decode(const std::u16string& path, int width, int height,
                                   const StopRequested& stop = {});

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

    ComPtr<IWICImagingFactory> factory_;
    // The last picture decoded: the reader empties the picture box and fills
    // it again with the same path, which must not decode a large photograph
    // twice.
    std::optional<Source> lastSource_;
    platform::PicturePtr lastPicture_;
};

}  // namespace win32
