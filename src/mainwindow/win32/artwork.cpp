#include "mainwindow/win32/artwork.h"

#include <zlib.h>

#include <cstring>
#include <span>

#include "mainwindow/win32/scale_pixels.h"
#include "platform/win32/dib_section.h"
#include "resource_ids.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::Artwork;

// The artwork is at most this large once inflated: a guard against a
// damaged resource, far above the largest picture.
constexpr std::size_t largestFile = 16u << 20;

// A resource that tools/pack_bitmap.py deflated, inflated again; empty when
// it is damaged. The BMP header's file size says how much to make room for.
std::vector<std::byte> inflateResource(const BYTE* data, DWORD size) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return {};
    std::vector<std::byte> file(sizeof(BITMAPFILEHEADER));
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = size;
    stream.next_out = reinterpret_cast<Bytef*>(file.data());
    stream.avail_out = static_cast<uInt>(file.size());
    int status = inflate(&stream, Z_SYNC_FLUSH);
    BITMAPFILEHEADER header{};
    if ((status == Z_OK || status == Z_STREAM_END) && stream.avail_out == 0) {
        std::memcpy(&header, file.data(), sizeof(header));
    }
    if (status == Z_OK && header.bfSize > sizeof(header) && header.bfSize <= largestFile) {
        file.resize(header.bfSize);
        stream.next_out = reinterpret_cast<Bytef*>(file.data() + sizeof(header));
        stream.avail_out = static_cast<uInt>(file.size() - sizeof(header));
        status = inflate(&stream, Z_FINISH);
    }
    const bool whole = status == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    return whole ? file : std::vector<std::byte>{};
}

// The header of a picture with premultiplied alpha: BI_BITFIELDS with the
// masks of BGRA, in a BITMAPV4HEADER or larger.
bool hasAlphaMasks(const std::byte* info, std::size_t available) {
    BITMAPV4HEADER header{};
    if (available < sizeof(header)) return false;
    std::memcpy(&header, info, sizeof(header));
    return header.bV4Size >= sizeof(header) && header.bV4V4Compression == BI_BITFIELDS &&
           header.bV4RedMask == 0x00FF0000 && header.bV4GreenMask == 0x0000FF00 &&
           header.bV4BlueMask == 0x000000FF && header.bV4AlphaMask == 0xFF000000;
}

// A top-down 32-bit DIB section holding `pixels`.
::win32::DecodedBitmap bitmapOf(const std::uint32_t* pixels, int width, int height) {
    void* bits = nullptr;
    ::win32::UniqueBitmap bitmap = ::win32::createTopDownBitmap(width, height, &bits);
    if (!bitmap) return {};
    std::memcpy(bits, pixels, std::size_t{4} * width * height);
    return {std::move(bitmap), width, height};
}

// The pixels a picture draws.
const std::uint32_t* pixelsOf(const ArtworkPicture& picture) {
    if (picture.storedBits) return static_cast<const std::uint32_t*>(picture.storedBits);
    DIBSECTION section{};
    if (::GetObjectW(picture.bitmap, sizeof(section), &section) != sizeof(section)) return nullptr;
    return static_cast<const std::uint32_t*>(section.dsBm.bmBits);
}

}  // namespace

ArtworkSet::Held ArtworkSet::hold(::win32::DecodedBitmap bitmap) {
    Held held;
    held.picture.width = bitmap.width;
    held.picture.height = bitmap.height;
    held.picture.bitmap = bitmap.bitmap.get();
    held.owned = std::move(bitmap);
    return held;
}

// A bitmap resource as tools/pack_bitmap.py writes it, once inflated: a
// top-down 32-bit BMP, opaque (BI_RGB), drawn from the inflated file, or
// premultiplied BGRA (BI_BITFIELDS with an alpha mask), copied into a bitmap
// to blend.
ArtworkSet::Held ArtworkSet::load(int resourceId) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found =
        ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data) return {};
    std::vector<std::byte> file = inflateResource(data, ::SizeofResource(module, found));
    const std::size_t size = file.size();
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    if (size < sizeof(header) + sizeof(info)) return {};
    std::memcpy(&header, file.data(), sizeof(header));
    std::memcpy(&info, file.data() + sizeof(header), sizeof(info));
    const int width = info.biWidth, height = -info.biHeight;
    if (header.bfType != 0x4D42 || info.biBitCount != 32 || width <= 0 || height <= 0 ||
        width > 4096 || height > 4096) {
        return {};
    }
    const bool opaque = info.biSize == sizeof(info) && info.biCompression == BI_RGB;
    if (!opaque && !hasAlphaMasks(file.data() + sizeof(header), size - sizeof(header))) return {};
    const std::size_t bytes = std::size_t{4} * width * height;
    if (header.bfOffBits > size || size - header.bfOffBits < bytes) return {};

    if (opaque) {
        Held held;
        held.picture.width = width;
        held.picture.height = height;
        held.picture.stored.bmiHeader = info;
        held.picture.storedBits = file.data() + header.bfOffBits;
        held.file = std::move(file);  // the pixels stay where they are
        return held;
    }
    std::vector<std::uint32_t> pixels(bytes / 4);
    std::memcpy(pixels.data(), file.data() + header.bfOffBits, bytes);
    return hold(bitmapOf(pixels.data(), width, height));
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

void ArtworkSet::scaleFor(UINT dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    scaled_.clear();
    if (dpi == 96) return;
    for (const auto& [art, held] : original_) {
        const ArtworkPicture& picture = held.picture;
        const std::uint32_t* pixels = pixelsOf(picture);
        if (!pixels) continue;
        const std::span<const std::uint32_t> all(
            pixels, static_cast<std::size_t>(picture.width) * picture.height);
        // An opaque picture's alpha bytes are all 255, so both forms are
        // premultiplied BGRA.
        Pixels scaled = scalePixels(all, picture.width, picture.height,
                                    ::MulDiv(picture.width, static_cast<int>(dpi), 96),
                                    ::MulDiv(picture.height, static_cast<int>(dpi), 96));
        if (scaled.data.empty()) continue;
        auto bitmap = bitmapOf(scaled.data.data(), scaled.width, scaled.height);
        if (bitmap.bitmap) scaled_.emplace(art, hold(std::move(bitmap)));
    }
}

const ArtworkPicture* ArtworkSet::find(Artwork art) const {
    const auto& set = dpi_ == 96 ? original_ : scaled_;
    auto it = set.find(art);
    return it == set.end() ? nullptr : &it->second.picture;
}

}  // namespace mainwindow::win32
