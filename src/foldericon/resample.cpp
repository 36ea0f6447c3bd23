#include "foldericon/resample.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace foldericon {
namespace {

// Which source pixels make one new pixel along a row or column, and how much
// each counts; the weights add up to 1.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

// The new pixels along one axis from the source span [start, start + length)
// of an axis `count` pixels long.
std::vector<Taps> tapsAlong(double start, double length, int count, int newCount) {
    std::vector<Taps> all(static_cast<std::size_t>(newCount));
    const double step = length / newCount;
    for (int i = 0; i < newCount; ++i) {
        Taps& taps = all[static_cast<std::size_t>(i)];
        if (step >= 1.0) {
            // Shrinking: the area each new pixel covers, edges counted by part.
            const double from = start + i * step, to = from + step;
            taps.first = std::clamp(static_cast<int>(std::floor(from)), 0, count - 1);
            const int last = std::clamp(static_cast<int>(std::ceil(to)) - 1, taps.first, count - 1);
            for (int s = taps.first; s <= last; ++s) {
                const double covered = std::min<double>(to, s + 1) - std::max<double>(from, s);
                taps.weights.push_back(static_cast<float>(std::max(0.0, covered) / step));
            }
        } else {
            // Growing: between the two nearest source pixels, kept inside the
            // span so that what was cut off does not bleed in.
            const double lowest = std::max(0.0, std::floor(start));
            const double highest = std::min<double>(count - 1, std::ceil(start + length) - 1);
            const double centre = std::clamp(start + (i + 0.5) * step - 0.5, lowest, highest);
            taps.first = static_cast<int>(std::floor(centre));
            const auto fraction = static_cast<float>(centre - taps.first);
            taps.weights = {1.0f - fraction};
            if (taps.first + 1 < count && fraction > 0) taps.weights.push_back(fraction);
        }
        float sum = 0;
        for (float w : taps.weights) sum += w;
        if (sum > 0) {
            for (float& w : taps.weights) w /= sum;
        }
    }
    return all;
}

using Channels = std::array<float, 4>;

}  // namespace

Image cropToFill(const Image& source, Size target) {
    if (source.empty() || target.width <= 0 || target.height <= 0) return {};
    // The middle part with the target's aspect.
    double cropWidth = source.width, cropHeight = source.height;
    if (static_cast<double>(source.width) * target.height >
        static_cast<double>(source.height) * target.width) {
        cropWidth = static_cast<double>(source.height) * target.width / target.height;
    } else {
        cropHeight = static_cast<double>(source.width) * target.height / target.width;
    }
    const auto across =
        tapsAlong((source.width - cropWidth) / 2, cropWidth, source.width, target.width);
    const auto down =
        tapsAlong((source.height - cropHeight) / 2, cropHeight, source.height, target.height);

    // Rows first, then columns: each pass is one-dimensional.
    const int firstRow = down.front().first;
    const int lastRow = down.back().first + static_cast<int>(down.back().weights.size()) - 1;
    std::vector<Channels> rows(static_cast<std::size_t>(lastRow - firstRow + 1) * target.width);
    for (int y = firstRow; y <= lastRow; ++y) {
        for (int x = 0; x < target.width; ++x) {
            const Taps& taps = across[static_cast<std::size_t>(x)];
            Channels sum{};
            for (std::size_t k = 0; k < taps.weights.size(); ++k) {
                const Pixel& p = source.at(taps.first + static_cast<int>(k), y);
                const float w = taps.weights[k];
                sum[0] += w * p.b;
                sum[1] += w * p.g;
                sum[2] += w * p.r;
                sum[3] += w * p.a;
            }
            rows[static_cast<std::size_t>(y - firstRow) * target.width + x] = sum;
        }
    }
    Image result(target.width, target.height);
    auto toByte = [](float v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    for (int y = 0; y < target.height; ++y) {
        const Taps& taps = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < target.width; ++x) {
            Channels sum{};
            for (std::size_t k = 0; k < taps.weights.size(); ++k) {
                const int row = taps.first + static_cast<int>(k) - firstRow;
                const Channels& c = rows[static_cast<std::size_t>(row) * target.width + x];
                for (int i = 0; i < 4; ++i)
                    sum[static_cast<std::size_t>(i)] +=
                        taps.weights[k] * c[static_cast<std::size_t>(i)];
            }
            // Premultiplied colour never exceeds its alpha.
            const std::uint8_t a = toByte(sum[3]);
            result.at(x, y) = {std::min(toByte(sum[0]), a), std::min(toByte(sum[1]), a),
                               std::min(toByte(sum[2]), a), a};
        }
    }
    return result;
}

Size coveringSize(Size picture, Size target) {
    if (picture.width <= 0 || picture.height <= 0 || target.width <= 0 || target.height <= 0) {
        return picture;
    }
    const double scale = std::max(static_cast<double>(target.width) / picture.width,
                                  static_cast<double>(target.height) / picture.height);
    if (scale >= 1.0) return picture;
    // Rounded up: a pixel short would leave cropToFill growing the picture.
    return {std::max(target.width, static_cast<int>(std::ceil(picture.width * scale - 1e-9))),
            std::max(target.height, static_cast<int>(std::ceil(picture.height * scale - 1e-9)))};
}

}  // namespace foldericon
