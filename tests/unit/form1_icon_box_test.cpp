// The icon check box: how it starts, what a chosen folder makes of it, and
// what applying with it does.
#include "customisation/folder_icon_lines.h"
#include "form1_test.h"

namespace {

using namespace form1_test;

constexpr char16_t sky[] = u"C:\\sky.jpg";

const mainwindow::Control& box(const fakes::FormHarness& h) {
    return h.form.control(ControlId::iconBox);
}

TEST(Form1IconBox, StartsCheckedWhereExplorerDrawsNoBackground) {
    const struct {
        platform::WindowsRelease windows;
        bool checked;
    } cases[] = {{{5, 1}, false}, {{5, 2}, false}, {{6, 0}, true}, {{10, 0}, true}};
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.windows.answer = c.windows;
        // Made after the version is set, as the window is.
        mainwindow::Form1 form{h.services(), h.view};
        EXPECT_EQ(form.control(ControlId::iconBox).checked, c.checked) << c.windows.major;
        EXPECT_TRUE(form.control(ControlId::iconBox).enabled);
    }
}

TEST(Form1IconBox, TheChosenFolderDecides) {
    const std::u16string ours = u"IconResource=.\\" + customisation::iconFileName("x") + u",0";
    const struct {
        std::u16string folder;
        std::vector<std::u16string_view> ini;  // empty: no Desktop.ini
        bool personChecked;
        bool checked, enabled;
        std::u16string_view toolTip;
    } cases[] = {
        {u"C:\\Data\\", {}, true, true, true, u""},
        {u"C:\\Data\\", {}, false, false, true, u""},
        {u"C:\\Data\\", {u"[.ShellClassInfo]", ours}, false, true, true, u""},
        {u"C:\\Data\\",
         {u"[.ShellClassInfo]", u"IconFile=C:\\mine.ico", u"IconIndex=2"},
         true,
         false,
         false,
         messages::folderKeepsOwnIcon},
        {u"D:\\", {}, true, false, false, messages::driveKeepsItsIcon},
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.windows.answer = {6, 1};
        h.disk.addFolder(u"C:\\Data");
        h.disk.addFolder(u"D:\\");
        std::string bytes;
        for (auto line : c.ini) bytes += cp1256(line) + "\r\n";
        if (!c.ini.empty()) h.disk.addFile(u"C:\\Data\\Desktop.ini", bytes);
        h.form.iconBoxClicked(c.personChecked);
        h.type(ControlId::fold, c.folder);
        EXPECT_EQ(box(h).checked, c.checked);
        EXPECT_EQ(box(h).enabled, c.enabled);
        EXPECT_EQ(box(h).toolTip, c.toolTip);
        EXPECT_EQ(h.form.accessible(ControlId::iconBox).description, c.toolTip);
        // The next folder is the person's choice again.
        h.type(ControlId::fold, u"C:\\");
        h.type(ControlId::fold, u"C:\\Other\\");
        EXPECT_EQ(box(h).checked, c.personChecked);
        EXPECT_TRUE(box(h).enabled);
    }
}

TEST(Form1IconBox, ApplyMakesOrTakesAwayTheIconAndSaysWhereThePictureShows) {
    const struct {
        platform::WindowsRelease windows;
        bool checked;
        bool iconFile;
        std::u16string secondLine;
    } cases[] = {
        {{6, 1}, true, true, u"\n" + std::u16string(messages::pictureOnIcon)},
        {{6, 1}, false, false, u"\n" + std::u16string(messages::backgroundShowsOnXp)},
        {{5, 1}, true, true, u""},
    };
    const std::u16string iconPath = u"C:\\Data\\" + customisation::iconFileName("sky icon");
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.windows.answer = c.windows;
        h.disk.addFolder(u"C:\\Data");
        h.icons.know(sky, "sky icon");
        h.type(ControlId::fold, u"C:\\Data\\");
        h.type(ControlId::img, sky);
        h.type(ControlId::color, u"0");
        // An icon of ours from before, for the box to keep or take away.
        h.form.iconBoxClicked(true);
        h.form.Image5_Click();
        h.form.iconBoxClicked(c.checked);
        h.messages.shown.clear();
        h.form.Image5_Click();
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, std::u16string(messages::applied) + c.secondLine);
        EXPECT_EQ(h.disk.exists(iconPath), c.iconFile);
        EXPECT_FALSE(h.shell.contentsChanged.empty());
    }
}

}  // namespace
