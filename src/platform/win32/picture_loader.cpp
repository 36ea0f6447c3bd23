#include "platform/win32/picture_loader.h"

#include "platform/win32/long_path.h"

namespace win32 {

PictureLoader::PictureLoader(std::function<UINT()> dpi)
    : dpi_(std::move(dpi)), factory_(createImagingFactory()) {}

std::optional<platform::PicturePtr> PictureLoader::load(const std::u16string& path, int widthTwips,
                                                        int heightTwips) {
    if (path.empty()) return platform::PicturePtr{};
    if (!factory_) return std::nullopt;
    auto source = openPictureFile(*factory_.Get(), path);
    if (!source) return std::nullopt;
    const int dpi = static_cast<int>(dpi_());
    const int width = ::MulDiv(widthTwips, dpi, 1440), height = ::MulDiv(heightTwips, dpi, 1440);
    auto reduced = decodeReduced(*factory_.Get(), *source.Get(), width, height);
    auto bitmap = toBitmap(*factory_.Get(), *reduced.Get(), width, height);
    if (!bitmap.bitmap) return std::nullopt;
    return std::make_shared<Picture>(std::move(bitmap));
}

}  // namespace win32
