// Folder icons made from the test pictures, read back as Windows reads them:
// the file parsed, its images loaded by the system and drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "foldericon/folder_drawing.h"
#include "foldericon/folder_icon.h"
#include "foldericon/win32/folder_icon_maker.h"
#include "foldericon/win32/png_encoder.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/gdi_guards.h"
#include "platform/win32/long_path.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wic.h"
#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

std::u16string dataFile(const char* name) {
    std::string path = std::string(TEST_DATA_DIR) + "/" + name;
    return std::u16string(path.begin(), path.end());
}

std::uint32_t read16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes.at(at)) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes.at(at + 1))) << 8;
}

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

struct Entry {
    int size;
    std::string bytes;
};

// The directory as Windows reads it; empty when it does not add up.
std::vector<Entry> entries(const std::string& icon) {
    if (icon.size() < 6 || read16(icon, 0) != 0 || read16(icon, 2) != 1) return {};
    std::vector<Entry> all;
    for (std::uint32_t i = 0; i < read16(icon, 4); ++i) {
        const std::size_t at = 6 + 16 * std::size_t{i};
        if (at + 16 > icon.size()) return {};
        const int side = static_cast<std::uint8_t>(icon[at]);
        const std::uint32_t length = read32(icon, at + 8), offset = read32(icon, at + 12);
        if (offset > icon.size() || length > icon.size() - offset) return {};
        all.push_back({side == 0 ? 256 : side, icon.substr(offset, length)});
    }
    return all;
}

// The icon file's image of `size` pixels as the system loads it from the
// file, drawn over a light grey into a 32-bit DIB.
struct Drawn {
    int size = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

constexpr std::uint32_t lightGrey = 0xF3F3F3;

std::optional<Drawn> loadAndDraw(const std::u16string& iconFile, int size) {
    win32::UniqueIcon icon(static_cast<HICON>(
        ::LoadImageW(nullptr, win32::wide(iconFile), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
    if (!icon) return std::nullopt;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap = win32::createTopDownBitmap(size, size, &bits);
    win32::UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return std::nullopt;
    Drawn drawn{size, {}};
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill_n(pixels, size * size, lightGrey);
    bool ok = false;
    {
        const win32::SelectGuard selected(dc.get(), bitmap.get());
        ok = ::DrawIconEx(dc.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
    }
    if (!ok) return std::nullopt;
    for (int i = 0; i < size * size; ++i) drawn.pixels.push_back(pixels[i] & 0xFFFFFF);
    return drawn;
}

bool closeTo(std::uint32_t colour, std::uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((colour >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

void writeFile(const std::u16string& path, const std::string& bytes) {
    win32::UniqueFile file(::CreateFileW(win32::longPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                    &written, nullptr));
}

std::u16string writeIcon(const std::string& bytes, const std::u16string& name) {
    const std::u16string path = freshFolder(u"folder-icon-" + name) + u"folder.ico";
    writeFile(path, bytes);
    return path;
}

struct FolderIconTest : ::testing::Test {
    win32::FolderIconMaker maker;
};

TEST_F(FolderIconTest, EachKindOfPictureMakesAnIconWindowsLoadsAndDrawsWithThePicture) {
    const struct {
        std::u16string picture;
        std::uint32_t colour;  // in the middle of the picture
        int tolerance;
    } cases[] = {
        {dataFile("picture.jpg"), 0x7C0082, 12},
        {dataFile("picture.bmp"), 0x7B0084, 12},
        {dataFile("picture.gif"), 0x7B0084, 12},
        // 6000 x 4000, orange with grain: the grain averages out.
        {largePicture(), 0xF0C020, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture.begin(), c.picture.end()));
        const auto icon = maker.makeIcon(c.picture);
        ASSERT_TRUE(icon);
        EXPECT_LE(icon->size(), 300u * 1024);
        const auto all = entries(*icon);
        ASSERT_EQ(all.size(), foldericon::iconSizes.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_EQ(all[i].size, foldericon::iconSizes[i]);
        }
        // Windows Vista and later read the large image as PNG; Windows XP,
        // where WIC is missing, gets a bitmap it can read.
        EXPECT_EQ(all.back().bytes.starts_with("\x89PNG"), !win32::onXpPaths);

        const std::u16string file = writeIcon(*icon, u"kinds");
        for (int size : {48, 256}) {
            SCOPED_TRACE(size);
            const auto drawn = loadAndDraw(file, size);
            ASSERT_TRUE(drawn);
            const auto window = foldericon::pictureWindow(size);
            const std::uint32_t middle =
                drawn->at((window.left + window.right) / 2, (window.top + window.bottom) / 2);
            EXPECT_TRUE(closeTo(middle, c.colour, c.tolerance)) << std::hex << middle;
            EXPECT_EQ(drawn->at(0, 0), lightGrey);  // outside the folder
            EXPECT_EQ(drawn->at(size - 1, 0), lightGrey);
        }
    }
}

TEST_F(FolderIconTest, NothingFromWhatHoldsNoPicture) {
    for (const std::u16string& path :
         {dataFile("no-such-picture.jpg"), dataFile("not-a-picture.jpg"), dataFile(""),
          std::u16string(u"\\\\.\\") + dataFile("picture.jpg"), std::u16string()}) {
        EXPECT_EQ(maker.makeIcon(path), std::nullopt) << std::string(path.begin(), path.end());
    }
}

// The last icon is answered again only while its file is unchanged: a
// picture replaced under the same name is decoded afresh.
TEST_F(FolderIconTest, AChangedFileUnderTheSameNameIsNotAnsweredFromTheLastIcon) {
    const std::u16string picture = freshFolder(u"folder-icon-changed") + u"picture.jpg";
    ASSERT_TRUE(::CopyFileW(win32::wide(dataFile("picture.jpg")), win32::wide(picture), FALSE));
    const auto first = maker.makeIcon(picture);
    ASSERT_TRUE(first);
    EXPECT_EQ(maker.makeIcon(picture), first);
    ASSERT_TRUE(
        ::CopyFileW(win32::wide(dataFile("not-a-picture.jpg")), win32::wide(picture), FALSE));
    EXPECT_EQ(maker.makeIcon(picture), std::nullopt);
}

// A command line's thread and the window's worker may have no COM yet.
TEST_F(FolderIconTest, MakesIconsOnAThreadWithoutCom) {
    struct Call {
        win32::FolderIconMaker& maker;
        std::optional<std::string> icon;
    } call{maker, std::nullopt};
    auto run = [](void* parameter) -> DWORD {
        auto* call = static_cast<Call*>(parameter);
        call->icon = call->maker.makeIcon(dataFile("picture.bmp"));
        return 0;
    };
    win32::UniqueHandle thread(::CreateThread(nullptr, 0, run, &call, 0, nullptr));
    ASSERT_TRUE(thread);
    ::WaitForSingleObject(thread.get(), INFINITE);
    const auto& icon = call.icon;
    ASSERT_TRUE(icon);
    const auto all = entries(*icon);
    ASSERT_EQ(all.size(), foldericon::iconSizes.size());
    EXPECT_EQ(all.back().bytes.starts_with("\x89PNG"), !win32::onXpPaths);
}

// A picture with something in it, as a 24-bit BMP: a sky, a sun and hills.
std::string landscapeBmp(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string bytes;
    auto put = [&](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put('B' | 'M' << 8, 2);
    put(static_cast<std::uint32_t>(54 + stride * height), 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const double t = static_cast<double>(y) / height;
            int r = static_cast<int>(90 + 100 * t), g = static_cast<int>(150 + 60 * t),
                b = static_cast<int>(230 - 40 * t);
            const double hill = height * (0.65 + 0.1 * std::sin(x * 6.0 / width));
            if (y > hill) r = 60, g = static_cast<int>(140 - (y - hill) / 3), b = 60;
            if (std::hypot(x - width * 0.7, y - height * 0.3) < height * 0.12)
                r = 255, g = 220, b = 90;
            put(static_cast<std::uint32_t>(b | g << 8 | r << 16), 3);
        }
        put(0, stride - width * 3);
    }
    return bytes;
}

// The large image as Explorer shows it, kept beside the end-to-end
// screenshots for a person to look at.
TEST_F(FolderIconTest, SavesTheLargeImageForALook) {
    if (win32::onXpPaths) GTEST_SKIP() << "no PNG encoder on Windows XP's paths";
    const std::u16string picture = freshFolder(u"folder-icon-look") + u"landscape.bmp";
    writeFile(picture, landscapeBmp(600, 400));
    const auto icon = maker.makeIcon(picture);
    ASSERT_TRUE(icon);
    const auto drawn = loadAndDraw(writeIcon(*icon, u"look"), 256);
    ASSERT_TRUE(drawn);
    foldericon::Image image(256, 256);
    for (std::size_t i = 0; i < drawn->pixels.size(); ++i) {
        const std::uint32_t c = drawn->pixels[i];
        image.pixels[i] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                           static_cast<std::uint8_t>(c >> 16), 255};
    }
    auto factory = win32::createImagingFactory();
    ASSERT_TRUE(factory);
    const auto png = win32::encodePng(*factory.Get(), image);
    ASSERT_TRUE(png);
    writeFile(showcaseFolder() + u"icon-256.png", *png);
}

}  // namespace
