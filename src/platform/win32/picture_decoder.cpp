#include "platform/win32/picture_decoder.h"

#include "platform/win32/long_path.h"
#include "platform/win32/ole_picture.h"
#include "platform/win32/picture.h"

namespace win32 {

PictureDecoder::PictureDecoder() : factory_(createImagingFactory()) {}

bool PictureDecoder::Source::operator==(const Source& other) const {
    return path == other.path && width == other.width && height == other.height &&
           ::CompareFileTime(&written, &other.written) == 0 && size == other.size;
}

platform::LoadedPicture PictureDecoder::decode(const std::u16string& path, int width, int height,
                                               const StopRequested& stop) {
    if (path.empty()) return platform::PicturePtr{};
    auto stopped = [&] { return stop && stop(); };

    // Made long once, here: every layer below takes the file by this name.
    const std::wstring name = longPath(path);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &file) ||
        (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    Source identity{path, width, height, file.ftLastWriteTime,
                    (ULONGLONG{file.nFileSizeHigh} << 32) | file.nFileSizeLow};
    if (lastSource_ && *lastSource_ == identity) return lastPicture_;
    if (stopped()) return std::nullopt;

    DecodedBitmap bitmap;
    if (factory_) {
        auto source = openPictureFile(*factory_.Get(), name);
        if (!source || stopped()) return std::nullopt;
        auto reduced = decodeReduced(*factory_.Get(), *source.Get(), width, height);
        if (stopped()) return std::nullopt;
        bitmap = toBitmap(*factory_.Get(), *reduced.Get(), width, height, stop);
    } else {
        bitmap = loadOlePicture(name, width, height, stop);
    }
    // A decode that was stopped is not kept either: its memory goes now.
    if (!bitmap.bitmap || stopped()) return std::nullopt;
    lastSource_ = std::move(identity);
    lastPicture_ = std::make_shared<Picture>(std::move(bitmap));
    return lastPicture_;
}

}  // namespace win32
