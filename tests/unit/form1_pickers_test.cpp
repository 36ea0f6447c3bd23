// The folder, picture and colour pickers and the two previews.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/messages.h"

namespace {

using mainwindow::ControlId;
namespace messages = mainwindow::messages;

TEST(FolderPicker, StoresTheChosenFolderWithOneTrailingBackslash) {
    const std::u16string longest = u"C:\\" + std::u16string(256, u'd');  // 259 characters
    struct Case {
        std::u16string chosen;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"C:\\Data", u"C:\\Data\\"},
        {u"C:\\", u"C:\\"},
        {u"\\\\server\\share\\folder", u"\\\\server\\share\\folder\\"},
        {u"C:\\مجلد الصور", u"C:\\مجلد الصور\\"},
        {u"C:\\चित्र", u"C:\\चित्र\\"},
        {longest, longest + u"\\"},
        {u"", u""},  // cancelled
    };
    for (const auto& [chosen, stored] : cases) {
        fakes::FormHarness h;
        h.folderBrowser.answer = chosen;
        h.form.wbtn1_Click();
        EXPECT_EQ(h.text(ControlId::fold), stored);
        ASSERT_EQ(h.folderBrowser.calls.size(), 1u);
        EXPECT_EQ(h.folderBrowser.calls[0].first, h.frame.handle());
        EXPECT_EQ(h.folderBrowser.calls[0].second, messages::folderBrowserTitle);
    }
}

TEST(FolderPicker, ADoubleClickOnTheBoxOpensTheSameBrowser) {
    fakes::FormHarness h;
    h.folderBrowser.answer = u"D:\\Photos";
    h.form.boxDoubleClicked(ControlId::fold);
    EXPECT_EQ(h.text(ControlId::fold), u"D:\\Photos\\");
    // The change of the box read the chosen folder.
    EXPECT_EQ(h.text(ControlId::color), u"0");
}

TEST(PicturePicker, EveryWayInOpensTheSameDialogWithAnEmptyName) {
    fakes::FormHarness h;
    h.dialogs.openAnswers = {u"C:\\a.jpg", u"C:\\b.gif", u"C:\\c.bmp"};
    h.form.wbtn2_Click();
    h.form.Image2_DblClick();
    h.form.boxDoubleClicked(ControlId::img);
    ASSERT_EQ(h.dialogs.opened.size(), 3u);
    for (const auto& state : h.dialogs.opened) {
        EXPECT_EQ(state.fileName, u"");
        EXPECT_EQ(state.dialogTitle, messages::pictureDialogTitle);
        EXPECT_EQ(state.filter,
                  u"Image Files الصور فقط (*.bmp;*.jpg;*.jpeg;*.gif)|*.BMP;*.JPG;*.JPEG;*.GIF");
    }
    EXPECT_EQ(h.text(ControlId::img), u"C:\\c.bmp");
}

TEST(PicturePicker, CancelChangesNothing) {
    fakes::FormHarness h;
    h.pictures.known = {u"C:\\a.jpg"};
    h.type(ControlId::img, u"C:\\a.jpg");
    h.answerPictures();
    auto shown = h.form.preview();
    ASSERT_NE(shown, nullptr);
    h.dialogs.openAnswers = {std::nullopt};
    h.form.img_DblClick();
    EXPECT_EQ(h.text(ControlId::img), u"C:\\a.jpg");
    EXPECT_EQ(h.form.preview(), shown);
}

// The path of the picture the preview shows, or "(none)".
std::u16string previewPath(const fakes::FormHarness& h) {
    auto* picture = dynamic_cast<const fakes::FakePicture*>(h.form.preview().get());
    return picture ? picture->path : u"(none)";
}

TEST(PicturePreview, ShowsThePictureOfTheCurrentTextOrNothing) {
    fakes::FormHarness h;
    h.pictures.known = {u"C:\\a.jpg", u"C:\\ab.jpg"};
    // Typing a character at a time: never an older picture.
    const std::pair<std::u16string, std::u16string> steps[] = {
        {u"C:\\a", u"(none)"},          {u"C:\\a.jpg", u"C:\\a.jpg"},    {u"C:\\a.jp", u"(none)"},
        {u"C:\\ab.jpg", u"C:\\ab.jpg"}, {u"C:\\missing.jpg", u"(none)"}, {u"", u"(none)"},
    };
    for (const auto& [typed, shown] : steps) {
        h.type(ControlId::img, typed);
        // Emptied at once, whatever the decode will give.
        EXPECT_EQ(previewPath(h), u"(none)") << std::string(typed.begin(), typed.end());
        h.answerPictures();
        EXPECT_EQ(previewPath(h), shown) << std::string(typed.begin(), typed.end());
    }
}

// Decodes finish later than the text changes and in any order: only the
// answer to the newest request is shown.
TEST(PicturePreview, AnAnswerToAnOlderRequestIsDropped) {
    struct Case {
        const char* name;
        bool newestFirst;
        bool sameTextAgain;  // the newest request is for the old text: the DPI changed
    };
    for (const auto& c : {Case{"in order", false, false}, Case{"newest first", true, false},
                          Case{"same text asked again", false, true}}) {
        fakes::FormHarness h;
        h.pictures.known = {u"C:\\a.jpg", u"C:\\b.jpg"};
        h.type(ControlId::img, u"C:\\a.jpg");
        if (c.sameTextAgain) {
            h.form.scaleChanged();
        } else {
            h.type(ControlId::img, u"C:\\b.jpg");
        }
        if (c.newestFirst) std::swap(h.pictures.waiting.front(), h.pictures.waiting.back());
        const std::u16string newest = c.sameTextAgain ? u"C:\\a.jpg" : u"C:\\b.jpg";

        std::vector<std::u16string> shown;
        while (h.answerPicture()) shown.push_back(previewPath(h));
        const std::vector<std::u16string> expected =
            c.newestFirst ? std::vector<std::u16string>{newest, newest}
                          : std::vector<std::u16string>{u"(none)", newest};
        EXPECT_EQ(shown, expected) << c.name;
    }
}

TEST(PicturePreview, TypingAPathShowsThePictureOfTheFinalTextAndNoOther) {
    fakes::FormHarness h;
    const std::u16string path = u"C:\\ab.jpg";
    h.pictures.known = {u"C:\\a", u"C:\\ab", u"C:\\ab.jp", path};
    for (std::size_t length = 1; length <= path.size(); ++length) {
        h.type(ControlId::img, path.substr(0, length));
    }
    std::vector<std::u16string> shown;
    while (h.answerPicture()) shown.push_back(previewPath(h));
    std::vector<std::u16string> expected(path.size(), u"(none)");
    expected.back() = path;
    EXPECT_EQ(shown, expected);
}

TEST(ColourPicker, StoresTheChosenColourAsDecimalText) {
    struct Case {
        std::optional<std::int32_t> chosen;
        std::u16string stored;
    };
    for (const auto& [chosen, stored] :
         {Case{0, u"0"}, Case{255, u"255"}, Case{65280, u"65280"}, Case{16711680, u"16711680"},
          Case{16777215, u"16777215"}, Case{std::nullopt, u"Text3"}}) {
        fakes::FormHarness h;
        h.dialogs.colourAnswers = {chosen};
        h.form.Image3_Click();
        EXPECT_EQ(h.text(ControlId::color), stored);
        EXPECT_EQ(h.dialogs.opened.at(0).dialogTitle, messages::colourDialogTitle);
    }
}

TEST(ColourPicker, LeavesThePictureDialogsTextsAlone) {
    fakes::FormHarness h;
    h.dialogs.openAnswers = {u"C:\\a.jpg"};
    h.form.img_DblClick();
    h.dialogs.colourAnswers = {255};
    h.form.Image1_DblClick();
    EXPECT_EQ(h.form.commonDialog().fileName, u"C:\\a.jpg");
    EXPECT_EQ(h.form.commonDialog().filter, messages::pictureFilter);
}

TEST(ColourPreview, ColoursTheSwatchAndLinesOnlyForAColour) {
    fakes::FormHarness h;
    auto colours = [&] {
        std::vector<mainwindow::OleColour> all{h.form.control(ControlId::vcolor).backColour};
        for (auto line : {ControlId::L1, ControlId::L2, ControlId::L3, ControlId::L4, ControlId::L5,
                          ControlId::L6}) {
            all.push_back(h.form.control(line).foreColour);
        }
        return all;
    };
    auto all = [](mainwindow::OleColour c) { return std::vector<mainwindow::OleColour>(7, c); };
    struct Step {
        std::u16string typed;
        std::vector<mainwindow::OleColour> expected;
    };
    const Step steps[] = {
        {u"16777215", all(0xFFFFFF)},
        {u"abc", all(0xFFFFFF)},  // no number: the last colour stays
        {u"", all(0xFFFFFF)},
        {u" 255 ", all(0xFF)},
        {u"0x10", all(0xFF)},
        {u"2147483648", all(0xFF)},  // out of range
        {u"16777216", all(0xFF)},    // a number, but no colour
        {u"&HFF00", all(0xFF00)},
        {u"2.5", all(2)},
        {u"-2147483640", all(0x80000008)},  // a system colour
        {u"0", all(0)},
    };
    for (const auto& [typed, expected] : steps) {
        h.type(ControlId::color, typed);
        EXPECT_TRUE(h.form.control(ControlId::vcolor).visible);
        EXPECT_EQ(colours(), expected) << std::string(typed.begin(), typed.end());
    }
}

}  // namespace

namespace {

TEST(Dropping, AFolderOrAPictureFillsItsBoxAsThePickersWould) {
    struct Case {
        std::u16string path;
        bool isFolder;
        std::u16string fold, img;
    };
    const std::u16string fold0 = u"C:\\Program Files", img0 = u"C:\\WINDOWS\\ACD Wallpaper.bmp";
    const Case cases[] = {
        {u"C:\\Data", true, u"C:\\Data\\", img0},
        {u"D:\\", true, u"D:\\", img0},
        {u"C:\\صور\\a.JPG", false, fold0, u"C:\\صور\\a.JPG"},
        {u"C:\\a.jpeg", false, fold0, u"C:\\a.jpeg"},
        {u"C:\\a.gif", false, fold0, u"C:\\a.gif"},
        {u"C:\\a.bmp", false, fold0, u"C:\\a.bmp"},
        {u"C:\\notes.txt", false, fold0, img0},
        {u"C:\\a.jpg.exe", false, fold0, img0},
        {u"C:\\folder.jpg\\readme", false, fold0, img0},
        {u"", false, fold0, img0},
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.form.dropped(c.path, c.isFolder);
        EXPECT_EQ(h.text(mainwindow::ControlId::fold), c.fold);
        // A dropped folder was read, which empties the picture box.
        EXPECT_EQ(h.text(mainwindow::ControlId::img), c.isFolder ? u"" : c.img);
    }
}

}  // namespace
