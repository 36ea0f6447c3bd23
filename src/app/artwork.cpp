#include "app/artwork.h"

#include <cstring>

#include "resource_ids.h"

namespace app {
namespace {

using mainwindow::Artwork;

// A bitmap resource as tools/pack_bitmap.py writes it: a BMP file of
// top-down 32-bit premultiplied BGRA.
win32::DecodedBitmap loadResource(int id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (!data || size < sizeof(file) + sizeof(info)) return {};
    std::memcpy(&file, data, sizeof(file));
    std::memcpy(&info, data + sizeof(file), sizeof(info));
    const int width = info.biWidth, height = -info.biHeight;
    if (file.bfType != 0x4D42 || info.biBitCount != 32 || info.biCompression != BI_RGB ||
        width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        return {};
    }
    const std::size_t bytes = std::size_t{4} * width * height;
    if (file.bfOffBits > size || size - file.bfOffBits < bytes) return {};

    BITMAPINFO header{};
    header.bmiHeader = info;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(
        ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    std::memcpy(bits, data + file.bfOffBits, bytes);
    return {std::move(bitmap), width, height};
}

// The pixels of a bitmap made by loadResource, for WIC to scale.
win32::ComPtr<IWICBitmapSource> wicSource(IWICImagingFactory& factory,
                                          const win32::DecodedBitmap& bitmap) {
    DIBSECTION section{};
    if (::GetObjectW(bitmap.bitmap.get(), sizeof(section), &section) != sizeof(section) ||
        !section.dsBm.bmBits) {
        return nullptr;
    }
    const UINT stride = static_cast<UINT>(bitmap.width) * 4;
    win32::ComPtr<IWICBitmap> source;
    if (FAILED(factory.CreateBitmapFromMemory(bitmap.width, bitmap.height,
                                              GUID_WICPixelFormat32bppPBGRA, stride,
                                              stride * static_cast<UINT>(bitmap.height),
                                              static_cast<BYTE*>(section.dsBm.bmBits), &source))) {
        return nullptr;
    }
    return source;
}

}  // namespace

ArtworkSet::ArtworkSet() {
    const std::pair<Artwork, int> resources[] = {
        {Artwork::background, IDR_BACKGROUND},          {Artwork::closeMark, IDR_CLOSE_MARK},
        {Artwork::explorerWindow, IDR_EXPLORER_WINDOW}, {Artwork::applyLit, IDR_APPLY_LIT},
        {Artwork::restoreLit, IDR_RESTORE_LIT},         {Artwork::folderLit, IDR_FOLDER_LIT},
        {Artwork::pictureLit, IDR_PICTURE_LIT},         {Artwork::colourLit, IDR_COLOUR_LIT},
    };
    for (auto [art, id] : resources) {
        if (auto bitmap = loadResource(id); bitmap.bitmap)
            original_.emplace(art, std::move(bitmap));
    }
}

void ArtworkSet::scaleFor(UINT dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    scaled_.clear();
    if (dpi == 96) return;
    // Only off 96 dpi is WIC needed, so a window at 96 dpi never loads it.
    auto factory = win32::createImagingFactory();
    if (!factory) return;
    for (const auto& [art, bitmap] : original_) {
        auto source = wicSource(*factory.Get(), bitmap);
        if (!source) continue;
        auto scaled =
            win32::toBitmap(*factory.Get(), *source.Get(), ::MulDiv(bitmap.width, dpi, 96),
                            ::MulDiv(bitmap.height, dpi, 96));
        if (scaled.bitmap) scaled_.emplace(art, std::move(scaled));
    }
}

const win32::DecodedBitmap* ArtworkSet::find(Artwork art) const {
    const auto& set = dpi_ == 96 ? original_ : scaled_;
    auto it = set.find(art);
    return it == set.end() ? nullptr : &it->second;
}

}  // namespace app
