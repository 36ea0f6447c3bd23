#include "foldericon/win32/picture_for_icon.h"

#include <algorithm>
#include <cstring>

#include "foldericon/folder_icon.h"
#include "platform/win32/ole_picture.h"
#include "platform/win32/wic.h"

namespace win32 {
namespace {

// The premultiplied top-down pixels of a decoded bitmap, copied out of its
// DIB section.
std::optional<foldericon::Image> toImage(const DecodedBitmap& decoded) {
    DIBSECTION section{};
    if (!decoded.bitmap ||
        ::GetObjectW(decoded.bitmap.get(), sizeof(section), &section) != sizeof(section) ||
        !section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32) {
        return std::nullopt;
    }
    foldericon::Image image(decoded.width, decoded.height);
    const auto* rows = static_cast<const BYTE*>(section.dsBm.bmBits);
    const auto stride = static_cast<std::size_t>(section.dsBm.bmWidthBytes);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(&image.at(0, y), rows + stride * static_cast<std::size_t>(y),
                    static_cast<std::size_t>(image.width) * 4);
    }
    // OLE's drawing on two backgrounds can leave a colour above its alpha at
    // a smoothed edge; premultiplied pixels never are.
    for (foldericon::Pixel& p : image.pixels) {
        p.b = std::min(p.b, p.a);
        p.g = std::min(p.g, p.a);
        p.r = std::min(p.r, p.a);
    }
    return image;
}

DecodedBitmap decodeThroughWic(IWICImagingFactory& factory, const std::wstring& file) {
    auto source = openPictureFile(factory, file);
    UINT width = 0, height = 0;
    if (!source || FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) {
        return {};
    }
    const foldericon::Size size =
        foldericon::decodeSizeFor({static_cast<int>(width), static_cast<int>(height)});
    auto reduced = decodeReduced(factory, *source.Get(), size.width, size.height);
    return toBitmap(factory, *reduced.Get(), size.width, size.height);
}

}  // namespace

std::optional<foldericon::Image> decodePictureForIcon(IWICImagingFactory* factory,
                                                      const std::wstring& file) {
    if (factory) return toImage(decodeThroughWic(*factory, file));
    auto sizeFor = [](SIZE own) {
        const foldericon::Size size = foldericon::decodeSizeFor({own.cx, own.cy});
        return SIZE{size.width, size.height};
    };
    return toImage(loadOlePicture(file, sizeFor));
}

}  // namespace win32
