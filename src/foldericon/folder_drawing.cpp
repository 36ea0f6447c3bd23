#include "foldericon/folder_drawing.h"

#include <algorithm>
#include <cmath>

#include "foldericon/resample.h"

namespace foldericon {
namespace {

// Straight (not premultiplied) colour.
struct Colour {
    double r, g, b;
};

constexpr Colour edge{168, 110, 18};
constexpr Colour backPanel{226, 164, 44};
constexpr Colour frontTop{255, 216, 110};
constexpr Colour frontBottom{250, 192, 62};
constexpr Colour pictureEdge{120, 80, 10};

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Signed distance from a pixel's centre to a shape's edge: negative inside.
// Shapes are combined by min (union) and max (intersection), and inset by
// adding a distance.
struct RoundedRect {
    double left, top, right, bottom, radius;

    double distance(double x, double y) const {
        const double halfWidth = (right - left) / 2, halfHeight = (bottom - top) / 2;
        const double r = std::min({radius, halfWidth, halfHeight});
        const double qx = std::abs(x - (left + right) / 2) - (halfWidth - r);
        const double qy = std::abs(y - (top + bottom) / 2) - (halfHeight - r);
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - r;
    }
};

// The part of the plane left of the line from (x0, y0) to (x1, y1).
struct HalfPlane {
    double x0, y0, x1, y1;

    double distance(double x, double y) const {
        const double dx = x1 - x0, dy = y1 - y0;
        return ((x - x0) * dy - (y - y0) * dx) / std::hypot(dx, dy);
    }
};

// How much of a pixel a shape covers, from its distance at the centre: one
// pixel's width of smoothing across the edge.
double coverage(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

// `colour` laid over the pixel with this much opacity.
void paint(Pixel& pixel, Colour colour, double opacity) {
    if (opacity <= 0) return;
    const double keep = 1.0 - opacity;
    auto channel = [&](std::uint8_t under, double over) {
        return static_cast<std::uint8_t>(std::lround(under * keep + over * opacity));
    };
    pixel = {channel(pixel.b, colour.b), channel(pixel.g, colour.g), channel(pixel.r, colour.r),
             channel(pixel.a, 255.0)};
}

// A premultiplied pixel laid over another with this much opacity.
void paint(Pixel& pixel, const Pixel& over, double opacity) {
    if (opacity <= 0) return;
    const double keep = 1.0 - opacity * over.a / 255.0;
    auto channel = [&](std::uint8_t under, std::uint8_t on) {
        return static_cast<std::uint8_t>(
            std::clamp(std::lround(under * keep + on * opacity), 0L, 255L));
    };
    pixel = {channel(pixel.b, over.b), channel(pixel.g, over.g), channel(pixel.r, over.r),
             channel(pixel.a, over.a)};
}

// The folder's parts at one size, on whole pixels where they are straight so
// that the small icons stay sharp.
struct Layout {
    double edgeWidth;
    RoundedRect back;
    RoundedRect tab;
    HalfPlane tabSlope;
    RoundedRect front;
    RoundedRect window;

    explicit Layout(int size) {
        const double n = size;
        auto at = [n](double fraction) { return std::round(n * fraction); };
        edgeWidth = std::max(1.0, at(0.01));
        const double side = std::max(1.0, at(0.0625));
        const double bottom = n - std::max(2.0, at(0.1));
        const double backTop = std::max(3.0, at(0.18));
        const double tabTop = backTop - std::max(1.0 + edgeWidth, at(0.08));
        const double corner = std::max(1.0, n * 0.06);
        back = {side, backTop, n - side, bottom, corner};
        const double tabEnd = side + std::max(4.0, at(0.30));
        const double slope = backTop - tabTop;
        tab = {side, tabTop, tabEnd + slope + corner, backTop + corner, corner * 0.7};
        tabSlope = {tabEnd, tabTop, tabEnd + slope, backTop};
        front = {side, std::max(backTop + 2.0, at(0.30)), n - side, bottom, corner};
        const PixelRect w = pictureWindow(size);
        window = {static_cast<double>(w.left), static_cast<double>(w.top),
                  static_cast<double>(w.right), static_cast<double>(w.bottom), n * 0.025};
    }

    double backDistance(double x, double y) const {
        const double tabDistance = std::max(tab.distance(x, y), tabSlope.distance(x, y));
        return std::min(back.distance(x, y), tabDistance);
    }
};

}  // namespace

PixelRect pictureWindow(int size) {
    const double n = size;
    auto at = [n](double fraction) { return static_cast<int>(std::round(n * fraction)); };
    const int side = std::max(1, at(0.0625));
    const int bottom = size - std::max(2, at(0.1));
    const int frontTop = std::max(std::max(3, at(0.18)) + 2, at(0.30));
    // The front's own colour frames the picture: at least two pixels, an
    // edge and a pixel of panel, so that the folder shows around it.
    const int margin = std::max(2, at(0.055));
    return {side + margin, frontTop + margin, size - side - margin, bottom - margin};
}

Image drawFolderIcon(const Image& picture, int size) {
    Image icon(size, size);
    if (size <= 0) return icon;
    const Layout layout(size);
    const PixelRect window = pictureWindow(size);
    const Image shown = cropToFill(picture, {window.width(), window.height()});
    const double frontHeight = layout.front.bottom - layout.front.top;

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            Pixel& pixel = icon.at(x, y);
            const double back = layout.backDistance(cx, cy);
            paint(pixel, edge, coverage(back));
            paint(pixel, backPanel, coverage(back + layout.edgeWidth));

            const double front = layout.front.distance(cx, cy);
            paint(pixel, edge, coverage(front));
            const double shade = std::clamp((cy - layout.front.top) / frontHeight, 0.0, 1.0);
            paint(pixel, mix(frontTop, frontBottom, shade), coverage(front + layout.edgeWidth));

            if (shown.empty()) continue;
            const double inWindow = layout.window.distance(cx, cy);
            // A faint line around the picture keeps a pale one apart from
            // the panel, where there is room for it.
            if (size >= 32) paint(pixel, pictureEdge, 0.35 * coverage(inWindow - 1.0));
            if (x >= window.left && x < window.right && y >= window.top && y < window.bottom) {
                paint(pixel, shown.at(x - window.left, y - window.top), coverage(inWindow));
            }
        }
    }
    return icon;
}

}  // namespace foldericon
