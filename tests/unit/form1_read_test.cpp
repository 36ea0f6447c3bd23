// Reading a folder's customisation back into the boxes whenever `fold` changes.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "test_support.h"
#include "utf16_bytes.h"

namespace {

using mainwindow::ControlId;

TEST(Form1Read, PutsTheFoldersPictureAndColourIntoTheBoxes) {
    const std::u16string view = u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]";
    struct Case {
        const char* name;
        std::string file;
        std::u16string picture;
        std::u16string colour;
    };
    const Case cases[] = {
        {"A",
         iniFile({u"[.ShellClassInfo]", u"IconArea_Image=C:\\Pictures\\Sky.jpg",
                  u"IconArea_Text=16777215", u"one more line"}),
         u"C:\\Pictures\\Sky.jpg", u"16777215"},
        {"B: a short colour",
         iniFile({u"[.ShellClassInfo]", u"IconArea_Image=C:\\Pictures\\Sky.jpg",
                  u"IconArea_Text=255", u"مع تحيات وسلام"}),
         u"C:\\Pictures\\Sky.jpg", u"255"},
        {"C: a short path",
         iniFile({u"[.ShellClassInfo]", u"IconArea_Image=C:\\a.jpg", u"IconArea_Text=255",
                  u"مع تحيات وسلام"}),
         u"C:\\a.jpg", u"255"},
        {"D: colour last",
         iniFile({u"[.ShellClassInfo]", u"IconArea_Image=C:\\Pictures\\Sky.jpg",
                  u"IconArea_Text=16777215"}),
         u"C:\\Pictures\\Sky.jpg", u"16777215"},
        {"E: no picture line", iniFile({u"[.ShellClassInfo]", u"IconArea_Text=16777215", u"x"}),
         u"", u"16777215"},
        {"F: picture line first",
         iniFile({u"IconArea_Image=C:\\Pictures\\Sky.jpg", u"IconArea_Text=16777215",
                  u"one more line"}),
         u"C:\\Pictures\\Sky.jpg", u"16777215"},
        {"keys in other cases", iniFile({view, u"ICONAREA_IMAGE=C:\\A.JPG", u"iconarea_text=7"}),
         u"C:\\A.JPG", u"7"},
        {"comment and another value",
         iniFile({view, u";IconArea_Image=C:\\comment.jpg", u"InfoTip=IconArea_Image=C:\\tip.jpg",
                  u"IconArea_Image=C:\\real.jpg"}),
         u"C:\\real.jpg", u"0"},
        {"blanks and quotes",
         iniFile(
             {view, u"  IconArea_Image =  \"C:\\My Pictures\\a.jpg\"  ", u"IconArea_Text=\t255 "}),
         u"C:\\My Pictures\\a.jpg", u"255"},
        {"our section first",
         iniFile(
             {u"[Other]", u"IconArea_Image=C:\\other.jpg", view, u"IconArea_Image=C:\\ours.jpg"}),
         u"C:\\ours.jpg", u"0"},
        {"only in another section", iniFile({u"[Other]", u"IconArea_Text=99"}), u"", u"99"},
        {"a header in Arabic, lone CRs",
         cp1256(u"[قسم]\rIconArea_Image=C:\\theirs.jpg\r") + cp1256(view) +
             cp1256(u"\r \tICONAREA_image\t= C:\\ours.jpg\r\u0645=1"),
         u"C:\\ours.jpg", u"0"},
        {"UTF-16 with BOM",
         "\xFF\xFE" + utf16le(u"[.ShellClassInfo]\r\nIconArea_Image=C:\\صور\\a.jpg\r\n"),
         u"C:\\صور\\a.jpg", u"0"},
        {"UTF-8 with BOM", "\xEF\xBB\xBFIconArea_Image=C:\\\xD8\xB5.jpg\nIconArea_Text=5",
         u"C:\\ص.jpg", u"5"},
        {"comma and at sign", iniFile({view, u"IconArea_Image=C:\\a, b@c.jpg"}), u"C:\\a, b@c.jpg",
         u"0"},
        {"colour that is no number", iniFile({view, u"IconArea_Text=Text3"}), u"", u"Text3"},
        {"empty file", "", u"", u"0"},
        {"larger than 64 KiB",
         iniFile({view, u"IconArea_Image=C:\\a.jpg"}) + std::string(65 * 1024, ';'), u"", u"0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FormHarness h;
        h.disk.addFolder(u"C:\\Data");
        h.disk.addFile(u"C:\\Data\\Desktop.ini", c.file);
        h.type(ControlId::fold, u"C:\\Data\\");
        EXPECT_EQ(h.text(ControlId::img), c.picture);
        EXPECT_EQ(h.text(ControlId::color), c.colour);
    }
}

TEST(Form1Read, NamesTheFileInsideTheFolderAndNeverTheCurrentDirectory) {
    struct Case {
        std::u16string folder;
        std::u16string picture;
    };
    for (const auto& [folder, picture] : {Case{u"C:\\Data", u"C:\\inside.jpg"},
                                          Case{u"C:\\Data\\", u"C:\\inside.jpg"}, Case{u"", u""}}) {
        fakes::FormHarness h;
        h.disk.addFolder(u"C:\\Data");
        h.disk.addFile(u"C:\\Data\\Desktop.ini", iniFile({u"IconArea_Image=C:\\inside.jpg"}));
        h.disk.addFile(u"C:\\DataDesktop.ini", iniFile({u"IconArea_Image=C:\\beside.jpg"}));
        h.disk.addFile(u"Desktop.ini", iniFile({u"IconArea_Image=C:\\current.jpg"}));
        h.type(ControlId::fold, folder);
        EXPECT_EQ(h.text(ControlId::img), picture);
    }
}

// The loader fetches a network path only for the person: one that a
// folder's file names is asked for as such, and it stays that way only
// until the person edits or picks the picture.
TEST(Form1Read, APictureTheFolderNamesIsAskedForAsTheFoldersNotThePersons) {
    using platform::PictureOrigin;
    fakes::FormHarness h;
    h.disk.addFolder(u"C:\\Stick");
    h.disk.addFile(u"C:\\Stick\\Desktop.ini",
                   iniFile({u"IconArea_Image=\\\\server\\share\\x.jpg"}));
    h.type(ControlId::fold, u"C:\\Stick\\");
    ASSERT_EQ(h.text(ControlId::img), u"\\\\server\\share\\x.jpg");
    h.type(ControlId::img, u"\\\\server\\share\\y.jpg");
    h.dialogs.openAnswers = {u"\\\\server\\share\\z.jpg"};
    h.form.wbtn2_Click();
    // Emptied by the reader, named by the file, typed, picked.
    EXPECT_EQ(h.pictures.origins, (std::vector{PictureOrigin::chosen, PictureOrigin::namedByFolder,
                                               PictureOrigin::chosen, PictureOrigin::chosen}));
}

// Folders made by hand name their picture relative to themselves, as the
// shell takes it; one that climbs out of the folder names nothing.
TEST(Form1Read, ARelativePictureIsTheFoldersOwn) {
    struct Case {
        std::u16string value;
        std::u16string picture;
    };
    const Case cases[] = {
        {u"\".\\back.jpg\"", u"C:\\Data\\back.jpg"},
        {u"'back.jpg'", u"C:\\Data\\back.jpg"},
        {u"sub\\back.jpg", u"C:\\Data\\sub\\back.jpg"},
        {u"..\\back.jpg", u""},
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.pictures.known = {u"C:\\Data\\back.jpg", u"C:\\Data\\sub\\back.jpg", u"C:\\back.jpg"};
        h.disk.addFolder(u"C:\\Data");
        h.disk.addFile(u"C:\\Data\\Desktop.ini", iniFile({u"IconArea_Image=" + c.value}));
        h.type(ControlId::fold, u"C:\\Data\\");
        h.answerPictures();
        EXPECT_EQ(h.text(ControlId::img), c.picture);
        const auto* shown = dynamic_cast<const fakes::FakePicture*>(h.form.preview().get());
        EXPECT_EQ(shown ? shown->path : u"", c.picture);
    }
}

// On a share, the picture beside the file is on the share the person chose;
// any other path the file names is still not fetched for it.
TEST(Form1Read, ARelativePictureOnAShareIsLoadedAsThePersons) {
    using platform::PictureOrigin;
    struct Case {
        std::u16string value;
        PictureOrigin origin;
    };
    for (const auto& c :
         {Case{u".\\back.jpg", PictureOrigin::chosen},
          Case{u"\\\\server\\share\\Trip\\back.jpg", PictureOrigin::namedByFolder}}) {
        fakes::FormHarness h;
        h.disk.addFolder(u"\\\\server\\share\\Trip");
        h.disk.addFile(u"\\\\server\\share\\Trip\\Desktop.ini",
                       iniFile({u"IconArea_Image=" + c.value}));
        h.type(ControlId::fold, u"\\\\server\\share\\Trip\\");
        h.pause.pass();  // a share is read once the typing pauses
        ASSERT_EQ(h.text(ControlId::img), u"\\\\server\\share\\Trip\\back.jpg");
        EXPECT_EQ(h.pictures.origins.back(), c.origin);
    }
}

// The picture kept inside the folder is found wherever the folder goes, and
// restoring knows the file as ours.
TEST(Form1Read, APictureInsideTheFolderTravelsWithIt) {
    fakes::FormHarness h;
    h.disk.addFolder(u"C:\\Trip");
    h.type(ControlId::fold, u"C:\\Trip\\");
    h.type(ControlId::img, u"c:\\trip\\Sub\\Sky.jpg");
    h.form.Image5_Click();
    const std::string file = h.disk.at(u"C:\\Trip\\Desktop.ini").bytes;
    EXPECT_NE(file.find("IconArea_Image=.\\Sub\\Sky.jpg\r\n"), std::string::npos);

    h.disk.addFolder(u"E:\\Copy");
    h.disk.addFile(u"E:\\Copy\\Desktop.ini", file);
    h.type(ControlId::fold, u"E:\\Copy\\");
    EXPECT_EQ(h.text(ControlId::img), u"E:\\Copy\\Sub\\Sky.jpg");

    h.form.Image4_Click();
    EXPECT_FALSE(h.disk.exists(u"E:\\Copy\\Desktop.ini"));
}

TEST(Form1Read, ClearsThePreviewAndBoxesFirstThenShowsWhatItFinds) {
    fakes::FormHarness h;
    h.pictures.known = {u"C:\\old.jpg", u"C:\\Sky.jpg"};
    h.type(ControlId::img, u"C:\\old.jpg");
    h.type(ControlId::color, u"255");
    h.answerPictures();
    ASSERT_NE(h.form.preview(), nullptr);

    h.type(ControlId::fold, u"C:\\Never customised\\");
    EXPECT_EQ(h.form.preview(), nullptr);
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_EQ(h.text(ControlId::color), u"0");
    EXPECT_EQ(h.form.control(ControlId::vcolor).backColour, 0u);

    h.disk.addFolder(u"C:\\Data");
    h.disk.addFile(u"C:\\Data\\Desktop.ini",
                   iniFile({u"IconArea_Image=C:\\Sky.jpg", u"IconArea_Text=16777215"}));
    h.type(ControlId::fold, u"C:\\Data\\");
    EXPECT_EQ(h.text(ControlId::img), u"C:\\Sky.jpg");
    // The preview follows once the picture has been decoded.
    EXPECT_EQ(h.form.preview(), nullptr);
    h.answerPictures();
    auto* shown = dynamic_cast<const fakes::FakePicture*>(h.form.preview().get());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->path, u"C:\\Sky.jpg");
    EXPECT_EQ(h.form.control(ControlId::L1).foreColour, 16777215u);

    // A picture that does not load is still put into the box.
    h.disk.addFile(u"C:\\Data\\Desktop.ini", iniFile({u"IconArea_Image=C:\\gone.jpg"}));
    h.type(ControlId::fold, u"C:\\Data");
    EXPECT_EQ(h.text(ControlId::img), u"C:\\gone.jpg");
    h.answerPictures();
    EXPECT_EQ(h.form.preview(), nullptr);
}

// Whatever is applied comes back exactly when the folder is read again.
TEST(Form1Read, ApplyThenReadGivesBackWhatWasApplied) {
    const std::u16string pictures[] = {u"C:\\صور\\سماء زرقاء.jpg",
                                       u"C:\\My Pictures\\a, b.bmp",
                                       u"D:\\x@y\\z.gif",
                                       u"C:\\a.jpg",
                                       u"C:\\Data\\sky.jpg",
                                       u"\\\\server\\share\\خلفية.jpg",
                                       u"C:\\" + std::u16string(252, u'ب') + u".jpg",
                                       u"C:\\चित्र\\sky.jpg"};
    const std::u16string colours[] = {u"0", u"255", u"65280", u"16777215"};
    for (const auto& picture : pictures) {
        for (const auto& colour : colours) {
            fakes::FormHarness h;
            h.disk.addFolder(u"C:\\Data");
            h.type(ControlId::fold, u"C:\\Data\\");
            h.type(ControlId::img, picture);
            h.type(ControlId::color, colour);
            h.form.Image5_Click();
            h.type(ControlId::fold, u"C:\\Other\\");
            h.type(ControlId::fold, u"C:\\Data\\");
            EXPECT_EQ(h.text(ControlId::img), picture);
            EXPECT_EQ(h.text(ControlId::color), colour);
        }
    }
}

}  // namespace
