#pragma once

#include <cstdint>
#include <vector>

namespace foldericon {

// One pixel, premultiplied by its alpha, in the byte order of a 32-bit DIB.
struct Pixel {
    std::uint8_t b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Pixel&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Rows top-down, pixels premultiplied: what WIC's PBGRA format and a
// premultiplied DIB section hold, and what scaling and drawing need.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Image() = default;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool empty() const { return width <= 0 || height <= 0; }
};

}  // namespace foldericon
