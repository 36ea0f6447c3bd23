#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mainwindow::win32 {

// Premultiplied 32-bit pixels, top-down rows without padding.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

// `source` resized to width x height, each new pixel the area-weighted mean
// of the source pixels it covers, channel by channel: the artwork at another
// DPI, with no imaging library (Windows XP has none to rely on).
Pixels scalePixels(std::span<const std::uint32_t> source, int sourceWidth, int sourceHeight,
                   int width, int height);

}  // namespace mainwindow::win32
