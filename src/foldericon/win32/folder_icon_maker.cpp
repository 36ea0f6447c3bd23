#include "foldericon/win32/folder_icon_maker.h"

#include "foldericon/folder_icon.h"
#include "foldericon/win32/picture_for_icon.h"
#include "foldericon/win32/png_encoder.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/long_path.h"
#include "platform/win32/wic.h"

namespace win32 {

bool FolderIconMaker::Source::operator==(const Source& other) const {
    return path == other.path && ::CompareFileTime(&written, &other.written) == 0 &&
           size == other.size;
}

std::optional<std::string> FolderIconMaker::makeIcon(const std::u16string& picturePath) {
    // Made long once, here: every layer below takes the file by this name.
    const std::wstring name = longPath(picturePath);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (name.empty() || !::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &file) ||
        (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    Source identity{picturePath, file.ftLastWriteTime,
                    (ULONGLONG{file.nFileSizeHigh} << 32) | file.nFileSizeLow};
    if (lastSource_ && *lastSource_ == identity) return lastIcon_;

    auto icon = makeFromFile(name);
    if (!icon) return std::nullopt;
    lastSource_ = std::move(identity);
    lastIcon_ = *icon;
    return icon;
}

std::optional<std::string> FolderIconMaker::makeFromFile(const std::wstring& file) {
    // The window's worker and the command line's thread both call here; one
    // that has COM already keeps its own apartment (a second CoInitializeEx
    // of another kind fails harmlessly). Every COM object below goes before
    // the apartment does.
    ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    auto factory = createImagingFactory();
    auto picture = decodePictureForIcon(factory.Get(), file);
    if (!picture) return std::nullopt;
    const auto images = foldericon::folderIconImages(*picture);
    std::optional<std::string> largestAsPng;
    if (factory) largestAsPng = encodePng(*factory.Get(), images.back());
    return foldericon::folderIconFile(images, largestAsPng);
}

}  // namespace win32
