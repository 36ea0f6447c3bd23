// The apply command as the window runs it: checks, messages, what is written.
#include "form1_test.h"
#include "test_support.h"

namespace {

using namespace form1_test;

using test_folder::iniPath;

struct Form1Apply : ::testing::Test {
    fakes::FormHarness h;
    Form1Apply() { h.disk.addFolder(u"C:\\Data"); }
};

TEST_F(Form1Apply, ChecksRunInTheOrderPictureFolderColour) {
    struct Case {
        std::u16string picture, folder, colour;
        Message expected;
        bool written;
    };
    const Message error{u"", u"خطأ"};
    auto failure = [&](std::u16string_view text) {
        return Message{std::u16string(text), error.title};
    };
    const Case cases[] = {
        {u"", u"", u"0", failure(messages::noPicture), false},
        {u"", u"C:\\Data\\", u"0", failure(messages::noPicture), false},
        {u"C:\\a\nIconArea_Text=1.jpg", u"C:\\Data\\", u"0", failure(messages::noPicture), false},
        {u"C:\\a\r.jpg", u"C:\\Data\\", u"0", failure(messages::noPicture), false},
        {std::u16string(u"C:\\a\0.jpg", 9), u"C:\\Data\\", u"0", failure(messages::noPicture),
         false},
        {u"C:\\a.jpg", u"", u"0", failure(messages::noFolder), false},
        {u"C:\\a.jpg", u"", u"abc", failure(messages::noFolder), false},
        {u"C:\\a.jpg", u"C:\\Data\\", u"Text3", failure(messages::noColour), false},
        {u"C:\\a.jpg", u"C:\\Data\\", u"", failure(messages::noColour), false},
        {u"C:\\a.jpg", u"C:\\Data\\", u"-1", failure(messages::noColour), false},
        {u"C:\\a.jpg", u"C:\\Data\\", u"16777216", failure(messages::noColour), false},
        {u"C:\\a.jpg", u"C:\\Data\\", u"0x10", failure(messages::noColour), false},
        {u" ", u"C:\\Data\\", u"0", {std::u16string(messages::applied), u""}, true},
        {u"C:\\a.jpg", u"C:\\Data\\", u"16777215", {std::u16string(messages::applied), u""}, true},
        // With the system's reason on a second line.
        {u"C:\\a.jpg", u"C:\\Missing\\", u"0",
         failure(std::u16string(messages::applyFailed) + u"\nerror 3"), false},
    };
    for (const auto& c : cases) {
        fakes::FormHarness fresh;
        fresh.disk.addFolder(u"C:\\Data");
        fresh.type(ControlId::fold, c.folder);
        fresh.type(ControlId::img, c.picture);
        fresh.type(ControlId::color, c.colour);
        fresh.form.Image5_Click();
        ASSERT_EQ(fresh.messages.shown.size(), 1u);
        EXPECT_EQ(fresh.messages.shown[0], c.expected);
        EXPECT_EQ(fresh.disk.exists(iniPath), c.written);
    }
}

TEST_F(Form1Apply, WritesTheColourAsPlainDecimalDigits) {
    struct Case {
        std::u16string typed;
        std::string written;
    };
    for (const auto& [typed, written] :
         {Case{u" 255 ", "255"}, Case{u"&HFF", "255"}, Case{u"2.5", "2"},
          Case{u"+16777215", "16777215"}, Case{u"&H00FFFFFF", "16777215"}}) {
        fakes::FormHarness fresh;
        fresh.disk.addFolder(u"C:\\Data");
        fresh.type(ControlId::fold, u"C:\\Data\\");
        fresh.type(ControlId::img, u"C:\\a.jpg");
        fresh.type(ControlId::color, typed);
        fresh.form.Image5_Click();
        EXPECT_NE(fresh.disk.at(iniPath).bytes.find("\r\nIconArea_Text=" + written + "\r\n"),
                  std::string::npos)
            << written;
    }
}

TEST_F(Form1Apply, ReportsSuccessOnlyOnceTheFolderIsMarked) {
    h.type(ControlId::fold, u"C:\\Data\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"0");
    bool markedWhenShown = false;
    h.messages.onShow = [&] {
        markedWhenShown =
            h.disk.at(u"C:\\Data").attributes == (attribute::system | attribute::directory) &&
            h.disk.at(iniPath).attributes == attribute::hidden;
    };
    h.form.Image5_Click();
    EXPECT_TRUE(markedWhenShown);
}

// Only the Explorer of XP and Server 2003 draws the setting: elsewhere the
// success says where it shows.
TEST_F(Form1Apply, SaysWhereTheBackgroundShowsWhereExplorerIgnoresIt) {
    const std::u16string onXp(messages::applied);
    const std::u16string elsewhere = onXp + u"\n" + std::u16string(messages::backgroundShowsOnXp);
    struct Case {
        platform::WindowsRelease windows;
        std::u16string expected;
    };
    for (const auto& c : {Case{{5, 1}, onXp}, Case{{5, 2}, onXp}, Case{{6, 0}, elsewhere},
                          Case{{6, 1}, elsewhere}, Case{{10, 0}, elsewhere}}) {
        fakes::FormHarness fresh;
        fresh.windows.answer = c.windows;
        fresh.disk.addFolder(u"C:\\Data");
        fresh.type(ControlId::fold, u"C:\\Data\\");
        fresh.type(ControlId::img, u"C:\\a.jpg");
        fresh.form.Image5_Click();
        ASSERT_EQ(fresh.messages.shown.size(), 1u);
        EXPECT_EQ(fresh.messages.shown[0], (Message{c.expected, u""}));
    }
    EXPECT_NE(elsewhere.find(u"XP"), std::u16string::npos);
}

TEST_F(Form1Apply, ChangesNoBox) {
    h.type(ControlId::fold, u"C:\\Data\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"&HFF");
    h.form.Image5_Click();
    EXPECT_EQ(h.text(ControlId::fold), u"C:\\Data\\");
    EXPECT_EQ(h.text(ControlId::img), u"C:\\a.jpg");
    EXPECT_EQ(h.text(ControlId::color), u"&HFF");
}

}  // namespace
