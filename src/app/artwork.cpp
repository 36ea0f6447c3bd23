#include "app/artwork.h"

#include <cstring>

#include "resource_ids.h"

namespace app {
namespace {

using mainwindow::Artwork;

// The pixels of a picture, for WIC to scale.
win32::ComPtr<IWICBitmapSource> wicSource(IWICImagingFactory& factory,
                                          const ArtworkPicture& picture) {
    // An opaque picture's alpha bytes are all 255, so both forms are PBGRA.
    const void* bits = picture.storedBits;
    if (!bits) {
        DIBSECTION section{};
        if (::GetObjectW(picture.bitmap, sizeof(section), &section) != sizeof(section) ||
            !section.dsBm.bmBits) {
            return nullptr;
        }
        bits = section.dsBm.bmBits;
    }
    const UINT stride = static_cast<UINT>(picture.width) * 4;
    win32::ComPtr<IWICBitmap> source;
    // WIC copies the pixels; it never writes to the ones it is given.
    if (FAILED(factory.CreateBitmapFromMemory(
            picture.width, picture.height, GUID_WICPixelFormat32bppPBGRA, stride,
            stride * static_cast<UINT>(picture.height), static_cast<BYTE*>(const_cast<void*>(bits)),
            &source))) {
        return nullptr;
    }
    return source;
}

// The header of a picture with premultiplied alpha: BI_BITFIELDS with the
// masks of BGRA, in a BITMAPV4HEADER or larger.
bool hasAlphaMasks(const BYTE* info, std::size_t available) {
    BITMAPV4HEADER header{};
    if (available < sizeof(header)) return false;
    std::memcpy(&header, info, sizeof(header));
    return header.bV4Size >= sizeof(header) && header.bV4V4Compression == BI_BITFIELDS &&
           header.bV4RedMask == 0x00FF0000 && header.bV4GreenMask == 0x0000FF00 &&
           header.bV4BlueMask == 0x000000FF && header.bV4AlphaMask == 0xFF000000;
}

}  // namespace

ArtworkSet::Held ArtworkSet::hold(win32::DecodedBitmap bitmap) {
    Held held;
    held.picture.width = bitmap.width;
    held.picture.height = bitmap.height;
    held.picture.bitmap = bitmap.bitmap.get();
    held.owned = std::move(bitmap);
    return held;
}

// A bitmap resource as tools/pack_bitmap.py writes it: a top-down 32-bit BMP,
// opaque (BI_RGB), drawn from where it lies in the program's image, or
// premultiplied BGRA (BI_BITFIELDS with an alpha mask), copied into a bitmap
// to blend.
ArtworkSet::Held ArtworkSet::load(int resourceId) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found =
        ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (!data || size < sizeof(file) + sizeof(info)) return {};
    std::memcpy(&file, data, sizeof(file));
    std::memcpy(&info, data + sizeof(file), sizeof(info));
    const int width = info.biWidth, height = -info.biHeight;
    if (file.bfType != 0x4D42 || info.biBitCount != 32 || width <= 0 || height <= 0 ||
        width > 4096 || height > 4096) {
        return {};
    }
    const bool opaque = info.biSize == sizeof(info) && info.biCompression == BI_RGB;
    if (!opaque && !hasAlphaMasks(data + sizeof(file), size - sizeof(file))) return {};
    const std::size_t bytes = std::size_t{4} * width * height;
    if (file.bfOffBits > size || size - file.bfOffBits < bytes) return {};
    const BYTE* pixels = data + file.bfOffBits;

    if (opaque) {
        Held held;
        held.picture.width = width;
        held.picture.height = height;
        held.picture.stored.bmiHeader = info;
        held.picture.storedBits = pixels;
        return held;
    }
    BITMAPINFO header{};
    header.bmiHeader = info;
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(
        ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    std::memcpy(bits, pixels, bytes);
    return hold({std::move(bitmap), width, height});
}

ArtworkSet::ArtworkSet() {
    const std::pair<Artwork, int> resources[] = {
        {Artwork::background, IDR_BACKGROUND},          {Artwork::closeMark, IDR_CLOSE_MARK},
        {Artwork::explorerWindow, IDR_EXPLORER_WINDOW}, {Artwork::applyLit, IDR_APPLY_LIT},
        {Artwork::restoreLit, IDR_RESTORE_LIT},         {Artwork::folderLit, IDR_FOLDER_LIT},
        {Artwork::pictureLit, IDR_PICTURE_LIT},         {Artwork::colourLit, IDR_COLOUR_LIT},
    };
    for (auto [art, id] : resources) {
        if (Held held = load(id); held.picture.width > 0) original_.emplace(art, std::move(held));
    }
}

void ArtworkSet::scaleFor(UINT dpi, win32::ComOnFirstUse& com) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    scaled_.clear();
    if (dpi == 96) return;
    // Only off 96 dpi is WIC needed, so a window at 96 dpi never loads it.
    com.enter();
    auto factory = win32::createImagingFactory();
    if (!factory) return;
    for (const auto& [art, held] : original_) {
        const ArtworkPicture& picture = held.picture;
        auto source = wicSource(*factory.Get(), picture);
        if (!source) continue;
        auto scaled =
            win32::toBitmap(*factory.Get(), *source.Get(), ::MulDiv(picture.width, dpi, 96),
                            ::MulDiv(picture.height, dpi, 96));
        if (scaled.bitmap) scaled_.emplace(art, hold(std::move(scaled)));
    }
}

const ArtworkPicture* ArtworkSet::find(Artwork art) const {
    const auto& set = dpi_ == 96 ? original_ : scaled_;
    auto it = set.find(art);
    return it == set.end() ? nullptr : &it->second.picture;
}

}  // namespace app
