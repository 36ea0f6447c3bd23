#include "mainwindow/win32/scale_pixels.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mainwindow::win32 {
namespace {

// What one new pixel takes from the source along one axis: the weights of the
// source pixels from `first` on, summing to one.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Taps> tapsFor(int sourceSize, int size) {
    std::vector<Taps> all(static_cast<std::size_t>(size));
    const double step = static_cast<double>(sourceSize) / size;
    for (int i = 0; i < size; ++i) {
        const double from = i * step, to = (i + 1) * step;
        const int first = static_cast<int>(std::floor(from));
        const int last = std::min(sourceSize - 1, static_cast<int>(std::ceil(to)) - 1);
        Taps& taps = all[static_cast<std::size_t>(i)];
        taps.first = first;
        for (int s = first; s <= last; ++s) {
            const double covered = std::min<double>(to, s + 1) - std::max<double>(from, s);
            taps.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return all;
}

using Channels = std::array<float, 4>;

Channels channelsOf(std::uint32_t pixel) {
    return {static_cast<float>(pixel & 0xFF), static_cast<float>((pixel >> 8) & 0xFF),
            static_cast<float>((pixel >> 16) & 0xFF), static_cast<float>(pixel >> 24)};
}

std::uint32_t pixelOf(const Channels& c) {
    std::uint32_t pixel = 0;
    for (int i = 0; i < 4; ++i) {
        const auto value = static_cast<std::uint32_t>(std::clamp(c[i] + 0.5f, 0.0f, 255.0f));
        pixel |= value << (8 * i);
    }
    return pixel;
}

}  // namespace

Pixels scalePixels(std::span<const std::uint32_t> source, int sourceWidth, int sourceHeight,
                   int width, int height) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0 ||
        source.size() < static_cast<std::size_t>(sourceWidth) * sourceHeight) {
        return {};
    }
    const auto across = tapsFor(sourceWidth, width);
    const auto down = tapsFor(sourceHeight, height);

    // Rows first, kept in floating point for the second pass.
    std::vector<Channels> rows(static_cast<std::size_t>(width) * sourceHeight);
    for (int y = 0; y < sourceHeight; ++y) {
        const std::uint32_t* in = source.data() + static_cast<std::size_t>(y) * sourceWidth;
        for (int x = 0; x < width; ++x) {
            const Taps& taps = across[static_cast<std::size_t>(x)];
            Channels sum{};
            for (std::size_t t = 0; t < taps.weights.size(); ++t) {
                const Channels c = channelsOf(in[taps.first + static_cast<int>(t)]);
                for (int i = 0; i < 4; ++i) sum[i] += c[i] * taps.weights[t];
            }
            rows[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }

    Pixels result{width, height,
                  std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const Taps& taps = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (std::size_t t = 0; t < taps.weights.size(); ++t) {
                const Channels& c =
                    rows[static_cast<std::size_t>(taps.first + static_cast<int>(t)) * width + x];
                for (int i = 0; i < 4; ++i) sum[i] += c[i] * taps.weights[t];
            }
            result.data[static_cast<std::size_t>(y) * width + x] = pixelOf(sum);
        }
    }
    return result;
}

}  // namespace mainwindow::win32
