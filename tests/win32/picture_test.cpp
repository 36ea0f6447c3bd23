// Loading pictures for the preview through WIC.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/picture_loader.h"
#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

// The preview's size in twips: 188 x 174 pixels at 96 dpi.
constexpr int width = 2820;
constexpr int height = 2605;

std::u16string dataFile(const char* name) {
    std::string path = std::string(TEST_DATA_DIR) + "/" + name;
    return std::u16string(path.begin(), path.end());
}

struct PictureTest : ::testing::Test {
    win32::PictureLoader loader{[] { return 96u; }};
};

TEST_F(PictureTest, LoadsEachKindScaledToThePreview) {
    for (const char* name : {"picture.bmp", "picture.jpg", "picture.gif", "picture.png"}) {
        auto picture = loader.load(dataFile(name), width, height);
        ASSERT_TRUE(picture && *picture) << name;
        auto* shown = dynamic_cast<const win32::Picture*>(picture->get());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->width(), 188) << name;
        EXPECT_EQ(shown->height(), 174) << name;
    }
}

TEST_F(PictureTest, EmptyMissingAndNonPictures) {
    auto empty = loader.load(u"", width, height);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, nullptr);
    EXPECT_EQ(loader.load(dataFile("no-such-picture.jpg"), width, height), std::nullopt);
    EXPECT_EQ(loader.load(dataFile("not-a-picture.jpg"), width, height), std::nullopt);
    EXPECT_EQ(loader.load(dataFile(""), width, height), std::nullopt);  // a folder
}

TEST_F(PictureTest, TheSameUnchangedFileIsNotDecodedAgain) {
    const std::u16string copy = freshFolder(u"pictures") + u"copy.jpg";
    ASSERT_TRUE(::CopyFileW(win32::wide(dataFile("picture.jpg")), win32::wide(copy), FALSE));
    auto first = loader.load(copy, width, height);
    auto again = loader.load(copy, width, height);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->get(), again->get());

    // Another picture under the same name is decoded anew.
    ASSERT_TRUE(::CopyFileW(win32::wide(dataFile("picture.png")), win32::wide(copy), FALSE));
    FILETIME later{};
    ::GetSystemTimeAsFileTime(&later);
    HANDLE file = ::CreateFileW(win32::wide(copy), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ::SetFileTime(file, nullptr, nullptr, &later);
    ::CloseHandle(file);
    auto changed = loader.load(copy, width, height);
    ASSERT_TRUE(changed);
    EXPECT_NE(changed->get(), first->get());
    // A different size is a different picture too.
    EXPECT_NE(loader.load(copy, width / 2, height / 2)->get(), changed->get());
}

}  // namespace
