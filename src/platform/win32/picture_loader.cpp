#include "platform/win32/picture_loader.h"

#include "platform/win32/long_path.h"

namespace win32 {

PictureLoader::PictureLoader(std::function<UINT()> dpi)
    : dpi_(std::move(dpi)), factory_(createImagingFactory()) {}

bool PictureLoader::Source::operator==(const Source& other) const {
    return path == other.path && width == other.width && height == other.height &&
           ::CompareFileTime(&written, &other.written) == 0 && size == other.size;
}

std::optional<platform::PicturePtr> PictureLoader::load(const std::u16string& path, int widthTwips,
                                                        int heightTwips) {
    if (path.empty()) return platform::PicturePtr{};
    if (!factory_) return std::nullopt;
    const int dpi = static_cast<int>(dpi_());
    const int width = ::MulDiv(widthTwips, dpi, 1440), height = ::MulDiv(heightTwips, dpi, 1440);

    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!::GetFileAttributesExW(longPath(path).c_str(), GetFileExInfoStandard, &file) ||
        (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    Source identity{path, width, height, file.ftLastWriteTime,
                    (ULONGLONG{file.nFileSizeHigh} << 32) | file.nFileSizeLow};
    if (lastSource_ && *lastSource_ == identity) return lastPicture_;

    auto source = openPictureFile(*factory_.Get(), path);
    if (!source) return std::nullopt;
    auto reduced = decodeReduced(*factory_.Get(), *source.Get(), width, height);
    auto bitmap = toBitmap(*factory_.Get(), *reduced.Get(), width, height);
    if (!bitmap.bitmap) return std::nullopt;
    lastSource_ = std::move(identity);
    lastPicture_ = std::make_shared<Picture>(std::move(bitmap));
    return lastPicture_;
}

}  // namespace win32
