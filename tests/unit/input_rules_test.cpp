// The rules the window and the command line share for what a person types.
#include <gtest/gtest.h>

#include "customisation/colour_text.h"
#include "customisation/folder_text.h"

namespace {

using customisation::WebForm;

TEST(FolderText, EndsWithOneBackslashExceptAtADrivesRoot) {
    struct Case {
        std::u16string_view path;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"C:\\Data", u"C:\\Data\\"},
        {u"C:\\Data\\", u"C:\\Data\\"},
        {u"C:\\Data\\\\", u"C:\\Data\\"},
        {u"C:\\Data/", u"C:\\Data\\"},
        {u"C:\\", u"C:\\"},
        {u"C:\\\\", u"C:\\"},
        {u"C:", u"C:"},
        {u"", u""},
        {u"\\\\server\\share\\", u"\\\\server\\share\\"},
        {u"C:\\\u0635\u0648\u0631", u"C:\\\u0635\u0648\u0631\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(customisation::folderText(c.path), c.expected)
            << std::string(c.path.begin(), c.path.end());
    }
}

TEST(FolderText, ADroppedPathLosesItsEndingSeparatorsOnly) {
    EXPECT_EQ(customisation::withoutEndingSeparators(u"C:\\Data\\/"), u"C:\\Data");
    EXPECT_EQ(customisation::withoutEndingSeparators(u"C:\\pic.jpg"), u"C:\\pic.jpg");
    EXPECT_EQ(customisation::withoutEndingSeparators(u"D:\\"), u"D:\\");
}

TEST(ColourText, GivesTheFilesDigitsForAnRgbColourOnly) {
    struct Case {
        std::u16string_view text;
        WebForm web;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {u"255", WebForm::refused, u"255"},
        {u" 16777215 ", WebForm::refused, u"16777215"},
        {u"&HFF0000", WebForm::refused, u"16711680"},
        {u"2.5", WebForm::refused, u"2"},
        {u"16777216", WebForm::refused, std::nullopt},
        {u"-1", WebForm::refused, std::nullopt},
        {u"&H80000005", WebForm::refused, std::nullopt},  // a system colour
        {u"#FF0000", WebForm::refused, std::nullopt},
        {u"#FF0000", WebForm::accepted, u"255"},  // red is 0x0000FF in the file
        {u"#0000ff", WebForm::accepted, u"16711680"},
        {u"#00FF00", WebForm::accepted, u"65280"},
        {u"#FFF", WebForm::accepted, std::nullopt},
        {u"#GG0000", WebForm::accepted, std::nullopt},
        {u"#FF00001", WebForm::accepted, std::nullopt},
        {u"12", WebForm::accepted, u"12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(customisation::rgbColourText(c.text, u'.', c.web), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(ColourText, TheControlsStillTakeSystemColours) {
    EXPECT_EQ(customisation::colourNumber(u"&H80000005", u'.', WebForm::refused),
              static_cast<std::int32_t>(0x80000005u));
}

}  // namespace
