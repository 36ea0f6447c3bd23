// The folder icon's drawing and its .ico file, checked byte by byte and pixel
// by pixel: what Windows reads is exactly these bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foldericon/folder_drawing.h"
#include "foldericon/folder_icon.h"
#include "foldericon/icon_file.h"
#include "foldericon/resample.h"

namespace {

using foldericon::Image;
using foldericon::Pixel;

std::uint32_t read16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes.at(at)) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes.at(at + 1))) << 8;
}

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

Image filled(int width, int height, Pixel pixel) {
    Image image(width, height);
    image.pixels.assign(image.pixels.size(), pixel);
    return image;
}

constexpr Pixel red{0, 0, 220, 255};
constexpr Pixel blue{220, 0, 0, 255};

TEST(IconFile, DirectoryOffsetsAndSizesMatchTheImages) {
    std::vector<Image> images;
    for (int size : foldericon::iconSizes) images.push_back(filled(size, size, red));
    const std::string png = "\x89PNG-stand-in";
    const std::string file = foldericon::folderIconFile(images, png);

    ASSERT_GE(file.size(), 6u + 16u * 5);
    EXPECT_EQ(read16(file, 0), 0u);
    EXPECT_EQ(read16(file, 2), 1u);  // an icon
    ASSERT_EQ(read16(file, 4), 5u);
    std::uint32_t expectedOffset = 6 + 16 * 5;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int size = foldericon::iconSizes[i];
        SCOPED_TRACE(size);
        const auto side = static_cast<std::uint8_t>(size == 256 ? 0 : size);
        EXPECT_EQ(static_cast<std::uint8_t>(file[entry]), side);
        EXPECT_EQ(static_cast<std::uint8_t>(file[entry + 1]), side);
        EXPECT_EQ(read16(file, entry + 4), 1u);
        EXPECT_EQ(read16(file, entry + 6), 32u);
        const std::uint32_t length = read32(file, entry + 8), offset = read32(file, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        if (size == 256) {
            EXPECT_EQ(file.substr(offset, length), png);
            continue;
        }
        // Colours, then a mask whose rows are padded to 32 bits: 24 and 48
        // pixel rows are no whole number of 4-byte words of bits.
        const std::uint32_t maskRow = (static_cast<std::uint32_t>(size) + 31) / 32 * 4;
        const std::uint32_t n = static_cast<std::uint32_t>(size);
        EXPECT_EQ(length, 40 + n * n * 4 + maskRow * n);
        EXPECT_EQ(read32(file, offset), 40u);
        EXPECT_EQ(read32(file, offset + 4), n);
        EXPECT_EQ(read32(file, offset + 8), n * 2);  // colours and mask
        EXPECT_EQ(read16(file, offset + 14), 32u);
        expectedOffset += length;
    }
    EXPECT_EQ(expectedOffset + png.size(), file.size());
}

TEST(IconFile, TheLargestImageIsAPngOnlyWhenThatIsSmaller) {
    std::vector<Image> images{filled(256, 256, red)};
    const std::string bitmap = foldericon::bitmapImage(images[0]);
    const struct {
        std::optional<std::string> png;
        bool pngKept;
    } cases[] = {
        {std::nullopt, false},                         // no PNG encoder (Windows XP)
        {std::string(1000, 'p'), true},                // a picture PNG packs well
        {std::string(bitmap.size() + 1, 'p'), false},  // noise: the bitmap is smaller
    };
    for (const auto& c : cases) {
        const std::string file = foldericon::folderIconFile(images, c.png);
        const std::string kept = file.substr(read32(file, 6 + 12));
        EXPECT_EQ(kept == c.png, c.pngKept);
        EXPECT_EQ(kept == bitmap, !c.pngKept);
        EXPECT_LE(file.size(), 300u * 1024);
    }
}

// Bottom-up rows, straight alpha, and a mask bit (most significant first)
// exactly where nothing shows: a 33 pixel row spills into a second word.
TEST(IconFile, BitmapRowsGoBottomUpWithStraightAlphaAndAMaskFromIt) {
    Image image = filled(33, 2, red);
    image.at(0, 0) = {};                 // top left: transparent
    image.at(32, 0) = {0, 0, 100, 128};  // top right: half shown, premultiplied
    image.at(1, 1) = {0, 0, 1, 1};       // bottom: barely shown, still in the mask
    const std::string bytes = foldericon::bitmapImage(image);
    const std::size_t colours = 40, mask = colours + 33 * 2 * 4;
    ASSERT_EQ(bytes.size(), mask + 8 * 2);

    auto colourAt = [&](int x, int rowFromBottom) {
        return bytes.substr(colours + (static_cast<std::size_t>(rowFromBottom) * 33 + x) * 4, 4);
    };
    EXPECT_EQ(colourAt(0, 1), std::string(4, '\0'));
    EXPECT_EQ(colourAt(32, 1), std::string("\0\0\xC7\x80", 4));  // 100 * 255 / 128
    EXPECT_EQ(colourAt(0, 0), std::string("\0\0\xDC\xFF", 4));
    EXPECT_EQ(colourAt(1, 0), std::string("\0\0\xFF\x01", 4));

    // The bottom row first: wholly shown. Then the top row: only x = 0.
    EXPECT_EQ(bytes.substr(mask, 8), std::string(8, '\0'));
    EXPECT_EQ(bytes.substr(mask + 8, 8), std::string("\x80\0\0\0\0\0\0\0", 8));
}

bool closeTo(const Pixel& a, const Pixel& b, int tolerance = 3) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

// A wide picture, blue at both ends and red in its middle: cut to fill the
// front, not squeezed, only red shows, right to the window's edges.
TEST(FolderDrawing, AtEverySizeAFolderShapeWithThePicturesMiddleOnItsFront) {
    Image picture = filled(400, 100, red);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) picture.at(x, y) = picture.at(399 - x, y) = blue;
    }
    for (int size : foldericon::iconSizes) {
        SCOPED_TRACE(size);
        const Image icon = foldericon::drawFolderIcon(picture, size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        const int last = size - 1;
        // Outside the folder: the corners and the space right of the tab.
        for (auto [x, y] :
             {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}, {last * 3 / 4, 1}}) {
            EXPECT_EQ(icon.at(x, y), Pixel{}) << x << "," << y;
        }
        const auto window = foldericon::pictureWindow(size);
        const int middleY = (window.top + window.bottom) / 2;
        EXPECT_TRUE(closeTo(icon.at((window.left + window.right) / 2, middleY), red));
        EXPECT_TRUE(closeTo(icon.at(window.left, middleY), red));
        EXPECT_TRUE(closeTo(icon.at(window.right - 1, middleY), red));
        // The front's own colour frames it: opaque and warm, not the picture.
        const Pixel frame = icon.at(window.left - 1, middleY);
        EXPECT_EQ(frame.a, 255);
        EXPECT_GT(frame.g, 60);
        // The tab above the back panel.
        EXPECT_EQ(icon.at(window.left, window.top / 2 - 1).a, 255);
        for (const Pixel& p : icon.pixels) {
            ASSERT_LE(p.r, p.a);
            ASSERT_LE(p.g, p.a);
            ASSERT_LE(p.b, p.a);
        }
    }
}

// Shrinking averages every pixel it covers: a fine checkerboard turns grey
// rather than one of its two colours.
TEST(Resample, ShrinkingAveragesAndGrowingStaysInsideTheCrop) {
    Image board(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const auto v = static_cast<std::uint8_t>((x + y) % 2 ? 255 : 0);
            board.at(x, y) = {v, v, v, 255};
        }
    }
    for (foldericon::Size size : {foldericon::Size{16, 16}, {21, 13}, {5, 7}}) {
        const Image shrunk = foldericon::cropToFill(board, size);
        ASSERT_EQ(shrunk.width, size.width);
        for (const Pixel& p : shrunk.pixels) EXPECT_TRUE(closeTo(p, {128, 128, 128, 255}, 24));
    }
    // A 3 x 1 picture grown into a square shows only its middle pixel.
    Image strip = filled(3, 1, blue);
    strip.at(1, 0) = red;
    for (const Pixel& p : foldericon::cropToFill(strip, {8, 8}).pixels) EXPECT_EQ(p, red);
}

TEST(Resample, TheDecodeSizeJustCoversTheLargestWindow) {
    const auto window = foldericon::pictureWindow(256);
    const foldericon::Size largest{window.width(), window.height()};
    const struct {
        foldericon::Size picture, expected;
    } cases[] = {
        {{40, 30}, {40, 30}},  // small: never enlarged by the decoder
        {{6000, 4000}, {largest.width, (largest.width * 4000 + 5999) / 6000}},
        {{300, 30000}, {largest.width, largest.width * 100}},
        {{20000, 100}, {20000, 100}},
    };
    for (const auto& c : cases) {
        const auto size = foldericon::decodeSizeFor(c.picture);
        EXPECT_EQ(size, c.expected) << c.picture.width << "x" << c.picture.height;
        EXPECT_GE(size.width, std::min(c.picture.width, largest.width));
        EXPECT_GE(size.height, std::min(c.picture.height, largest.height));
    }
}

}  // namespace
