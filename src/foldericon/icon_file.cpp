#include "foldericon/icon_file.h"

#include <algorithm>
#include <cstdint>

namespace foldericon {
namespace {

// Icon files are little-endian whatever the machine.
void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Premultiplied to straight, as icon bitmaps and PNG hold colour.
std::uint8_t unpremultiply(std::uint8_t channel, std::uint8_t alpha) {
    if (alpha == 0) return 0;
    return static_cast<std::uint8_t>(std::min(255u, (channel * 255u + alpha / 2u) / alpha));
}

constexpr std::uint32_t bitmapHeaderSize = 40;

}  // namespace

std::string bitmapImage(const Image& image) {
    std::string out;
    const int maskRowBytes = (image.width + 31) / 32 * 4;
    out.reserve(bitmapHeaderSize + image.pixels.size() * 4 +
                static_cast<std::size_t>(maskRowBytes) * image.height);
    put32(out, bitmapHeaderSize);
    put32(out, static_cast<std::uint32_t>(image.width));
    // The colours and the mask stacked: twice the image's height.
    put32(out, static_cast<std::uint32_t>(image.height) * 2);
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, static_cast<std::uint32_t>(image.pixels.size() * 4 +
                                          static_cast<std::size_t>(maskRowBytes) * image.height));
    for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution and palette: unused

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel& p = image.at(x, y);
            out += static_cast<char>(unpremultiply(p.b, p.a));
            out += static_cast<char>(unpremultiply(p.g, p.a));
            out += static_cast<char>(unpremultiply(p.r, p.a));
            out += static_cast<char>(p.a);
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(maskRowBytes), '\0');
        for (int x = 0; x < image.width; ++x) {
            // Where drawing ignores the alpha, a set bit keeps the screen
            // and the colour (black there) changes nothing.
            if (image.at(x, y).a == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        }
        out += row;
    }
    return out;
}

std::string straightPixels(const Image& image) {
    std::string out;
    out.reserve(image.pixels.size() * 4);
    for (const Pixel& p : image.pixels) {
        out += static_cast<char>(unpremultiply(p.b, p.a));
        out += static_cast<char>(unpremultiply(p.g, p.a));
        out += static_cast<char>(unpremultiply(p.r, p.a));
        out += static_cast<char>(p.a);
    }
    return out;
}

std::string iconFile(const std::vector<IconImage>& images) {
    constexpr std::uint32_t headerSize = 6, entrySize = 16;
    std::string out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(headerSize + entrySize * images.size());
    for (const IconImage& image : images) {
        const auto side = static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += side;     // width
        out += side;     // height
        out += '\0';     // no palette
        out += '\0';     // reserved
        put16(out, 1);   // planes
        put16(out, 32);  // bits per pixel
        put32(out, static_cast<std::uint32_t>(image.bytes.size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const IconImage& image : images) out += image.bytes;
    return out;
}

}  // namespace foldericon
