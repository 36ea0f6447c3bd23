// The restore button: taking our customisation out of a folder again.
#include "form1_test.h"
#include "test_support.h"

namespace {

using namespace form1_test;

using test_folder::iniPath;

struct Form1Remove : ::testing::Test {
    fakes::FormHarness h;

    // A folder customised by the apply command, with the picture box filled.
    void customise(std::uint32_t folderAttributes = 0) {
        h.disk.addFolder(u"C:\\Data", folderAttributes);
        h.type(ControlId::fold, u"C:\\Data\\");
        h.type(ControlId::img, u"C:\\a.jpg");
        h.type(ControlId::color, u"255");
        h.form.Image5_Click();
        h.messages.shown.clear();
    }
    std::uint32_t folderAttributes() const {
        return h.disk.at(u"C:\\Data").attributes & ~attribute::directory;
    }
};

TEST_F(Form1Remove, DeletesOurFileAndResetsTheFolderAfterTheMessage) {
    customise(attribute::hidden | attribute::archive);
    std::uint32_t folderWhenShown = 0;
    h.messages.onShow = [&] { folderWhenShown = folderAttributes(); };
    h.form.Image4_Click();
    EXPECT_FALSE(h.disk.exists(iniPath));
    EXPECT_EQ(h.messages.shown, (std::vector<Message>{{std::u16string(messages::removed), u""}}));
    EXPECT_EQ(folderWhenShown, attribute::hidden | attribute::archive | attribute::system);
    EXPECT_EQ(folderAttributes(), attribute::hidden | attribute::archive);
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_EQ(h.text(ControlId::color), u"255");
}

TEST_F(Form1Remove, DeletesWhateverTheFilesAttributes) {
    for (auto attributes : {attribute::readOnly, attribute::system,
                            attribute::hidden | attribute::system | attribute::readOnly}) {
        fakes::FormHarness fresh;
        fresh.disk.addFolder(u"C:\\Data", attribute::system);
        fresh.disk.addFile(
            iniPath,
            iniFile({u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg"}),
            attributes);
        fresh.type(ControlId::fold, u"C:\\Data\\");
        fresh.form.Image4_Click();
        EXPECT_FALSE(fresh.disk.exists(iniPath)) << attributes;
    }
}

TEST_F(Form1Remove, KeepsAnotherProgramsSettingsAndTheFoldersAttributes) {
    h.disk.addFolder(u"C:\\Data");
    h.disk.addFile(iniPath, iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0",
                                     u"LocalizedResourceName=@shell32.dll,-21798", u"[ViewState]",
                                     u"Mode=1"}));
    h.type(ControlId::fold, u"C:\\Data\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"255");
    h.form.Image5_Click();
    h.form.Image4_Click();
    EXPECT_EQ(h.disk.at(iniPath).bytes,
              iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0",
                       u"LocalizedResourceName=@shell32.dll,-21798", u"[ViewState]", u"Mode=1"}));
    // It was visible before apply hid it.
    EXPECT_EQ(h.disk.at(iniPath).attributes, attribute::normal);
    // Unmarked too, as it was: the shell did not read their settings then either.
    EXPECT_EQ(folderAttributes(), attribute::normal);
    EXPECT_EQ(h.messages.shown.back(), (Message{std::u16string(messages::removed), u""}));
}

TEST_F(Form1Remove, AFileThatCannotBeDeletedIsReportedAndLeftAsItWas) {
    customise();
    const auto before = h.disk.at(iniPath);
    h.disk.lock(iniPath);
    h.form.Image4_Click();
    EXPECT_EQ(
        h.messages.shown,
        (std::vector<Message>{{std::u16string(messages::removeFailed) + u"\nerror 5", u"خطأ"}}));
    EXPECT_EQ(h.disk.at(iniPath).bytes, before.bytes);
    EXPECT_EQ(h.disk.at(iniPath).attributes, before.attributes);
    EXPECT_EQ(folderAttributes(), attribute::system);
}

TEST_F(Form1Remove, NoFolderOrNoFile) {
    h.type(ControlId::fold, u"");
    h.type(ControlId::img, u"C:\\keep.jpg");
    h.form.Image4_Click();
    EXPECT_EQ(h.messages.shown,
              (std::vector<Message>{{std::u16string(messages::noFolder), u"خطأ"}}));
    EXPECT_EQ(h.text(ControlId::img), u"C:\\keep.jpg");

    h.messages.shown.clear();
    h.disk.addFolder(u"C:\\Plain", attribute::system);
    h.type(ControlId::fold, u"C:\\Plain\\");
    h.type(ControlId::img, u"C:\\keep.jpg");
    h.form.Image4_Click();
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_EQ(h.disk.at(u"C:\\Plain").attributes, attribute::system | attribute::directory);
}

}  // namespace
