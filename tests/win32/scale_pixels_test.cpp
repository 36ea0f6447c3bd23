// The artwork's own scaler, used at every DPI but 96.
#include "mainwindow/win32/scale_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using mainwindow::win32::scalePixels;

std::uint32_t bgra(int b, int g, int r, int a) {
    return static_cast<std::uint32_t>(b | g << 8 | r << 16 | a << 24);
}

TEST(ScalePixels, AFlatPictureStaysFlatAtEverySize) {
    const std::uint32_t colour = bgra(40, 120, 200, 255);
    struct Case {
        int width, height, newWidth, newHeight;
    };
    // 120, 144, 192 and 288 dpi, a shrink, and odd sizes that leave fractions.
    for (Case c : {Case{657, 321, 822, 402}, Case{657, 321, 986, 482}, Case{31, 29, 62, 58},
                   Case{31, 29, 93, 87}, Case{107, 37, 53, 18}, Case{3, 3, 7, 5}}) {
        std::vector<std::uint32_t> source(static_cast<std::size_t>(c.width) * c.height, colour);
        auto scaled = scalePixels(source, c.width, c.height, c.newWidth, c.newHeight);
        ASSERT_EQ(scaled.data.size(), static_cast<std::size_t>(c.newWidth) * c.newHeight);
        for (std::uint32_t pixel : scaled.data) ASSERT_EQ(pixel, colour) << c.newWidth;
    }
}

TEST(ScalePixels, HalvingAveragesEachSquareOfFour) {
    // Premultiplied: transparent black beside opaque white gives half-white.
    const std::vector<std::uint32_t> source{bgra(0, 0, 0, 0), bgra(255, 255, 255, 255),
                                            bgra(0, 0, 0, 0), bgra(255, 255, 255, 255)};
    auto scaled = scalePixels(source, 2, 2, 1, 1);
    ASSERT_EQ(scaled.data.size(), 1u);
    EXPECT_EQ(scaled.data[0], bgra(128, 128, 128, 128));
}

TEST(ScalePixels, AnEdgeStaysWhereItWasAndPremultipliedStaysValid) {
    // Left half opaque red, right half transparent, grown by 1.5.
    std::vector<std::uint32_t> source;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) source.push_back(x < 2 ? bgra(0, 0, 255, 255) : 0);
    }
    auto scaled = scalePixels(source, 4, 4, 6, 6);
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(scaled.data[y * 6 + 0], bgra(0, 0, 255, 255));
        EXPECT_EQ(scaled.data[y * 6 + 2], bgra(0, 0, 255, 255));
        EXPECT_EQ(scaled.data[y * 6 + 3], 0u);
        for (int x = 0; x < 6; ++x) {
            const std::uint32_t p = scaled.data[y * 6 + x];
            EXPECT_LE((p >> 16) & 0xFF, p >> 24) << "colour above its alpha at " << x;
        }
    }
}

TEST(ScalePixels, NothingForNoPicture) {
    const std::vector<std::uint32_t> one{bgra(1, 2, 3, 4)};
    EXPECT_TRUE(scalePixels(one, 1, 1, 0, 5).data.empty());
    EXPECT_TRUE(scalePixels(one, 2, 2, 4, 4).data.empty());  // fewer pixels than it says
}

}  // namespace
