#include <gtest/gtest.h>

#include "customisation/apply.h"
#include "customisation/read.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "test_support.h"

namespace {

using customisation::Customisation;
using fakes::FakeDisk;
namespace attribute = platform::attribute;

constexpr char16_t folder[] = u"C:\\Data\\";
constexpr char16_t iniPath[] = u"C:\\Data\\Desktop.ini";

struct ApplyTest : ::testing::Test {
    FakeDisk disk;
    fakes::Cp1256 codePage;
    customisation::Disk platform{disk, disk, codePage};

    ApplyTest() { disk.addFolder(u"C:\\Data", attribute::readOnly); }

    bool apply(std::u16string picture = u"C:\\صور\\سماء.jpg", std::u16string colour = u"16777215",
               std::u16string_view where = folder) {
        return customisation::applyCustomisation(platform, where, Customisation{picture, colour});
    }
    std::string written() const { return disk.at(iniPath).bytes; }
};

TEST_F(ApplyTest, FreshFileIsTheTwelveLinesInTheAnsiCodePage) {
    ASSERT_TRUE(apply());
    EXPECT_EQ(written(), testData("fresh_cp1256.ini"));
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden);
    EXPECT_EQ(disk.at(u"C:\\Data").attributes & ~attribute::directory,
              attribute::readOnly | attribute::system);
}

TEST_F(ApplyTest, PathOutsideTheCodePageIsWrittenAsUtf16) {
    ASSERT_TRUE(apply(u"C:\\चित्र\\sky.jpg"));
    EXPECT_EQ(written(), testData("fresh_utf16le.ini"));
}

TEST_F(ApplyTest, FolderWithoutTrailingBackslashGetsTheFileInside) {
    ASSERT_TRUE(apply(u"C:\\a.jpg", u"0", u"C:\\Data"));
    EXPECT_TRUE(disk.exists(iniPath));
    EXPECT_FALSE(disk.exists(u"C:\\DataDesktop.ini"));
}

TEST_F(ApplyTest, MissingFolderWritesNothing) {
    EXPECT_FALSE(apply(u"C:\\a.jpg", u"0", u"C:\\Nowhere\\"));
    EXPECT_TRUE(disk.files().empty());
}

TEST_F(ApplyTest, KeepsOtherProgramsKeysAndSections) {
    disk.addFile(
        iniPath,
        iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\icons\\blue.ico,0",
                 u"LocalizedResourceName=@shell32.dll,-21798", u"InfoTip=old tip", u"[ViewState]",
                 u"Mode=", u"Vid=", u"", u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]",
                 u"iconarea_image=C:\\old.bmp", u"IconArea_TextBackground=0"}),
        attribute::hidden | attribute::readOnly);
    ASSERT_TRUE(apply(u"C:\\new.jpg", u"255"));
    // Their InfoTip is the one the shell shows, and every section stays where
    // it stood; the one we add follows [.ShellClassInfo].
    EXPECT_EQ(
        written(),
        iniFile(
            {u"ممنوع حذف هذا الملف لانه المسؤول على تغيير خلفية المجلد", u"[.ShellClassInfo]",
             u"IconResource=C:\\icons\\blue.ico,0", u"LocalizedResourceName=@shell32.dll,-21798",
             u"InfoTip=old tip", u"[ExtShellFolderViews]",
             u"{BE098140-A513-11D0-A3A4-00C04FD706EC}={BE098140-A513-11D0-A3A4-00C04FD706EC}",
             u"[ViewState]", u"Mode=", u"Vid=", u"", u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]",
             u"Attributes=1", u"IconArea_Image=C:\\new.jpg", u"IconArea_Text=255",
             u"مع تحيات فريق تطوير خلفية المجلد .. الأدوات العربية المفتوحة ",
             u"https://fbg.example.net", u"team@fbg.example.net", u"IconArea_TextBackground=0"}));
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden);
}

TEST_F(ApplyTest, ApplyingTwiceGivesTheSameBytesAsOnce) {
    disk.addFile(iniPath,
                 iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\i.ico,3", u"[Other]", u"a=b"}));
    ASSERT_TRUE(apply());
    std::string once = written();
    ASSERT_TRUE(apply());
    EXPECT_EQ(written(), once);
}

TEST_F(ApplyTest, OwnFileIsReplacedByExactlyTheTwelveLines) {
    ASSERT_TRUE(apply(u"C:\\other.jpg", u"1"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(written(), testData("fresh_cp1256.ini"));
}

// Their lines stay in their file's encoding, byte for byte, and ours join
// them in it.
TEST_F(ApplyTest, KeepsOldFilesInTheirEncoding) {
    const std::u16string theirs = u"IconResource=C:\\أيقونة.ico,0\r\n";
    std::string utf16le, utf16be;
    for (char16_t c : u"[.ShellClassInfo]\r\n" + theirs) {
        utf16le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        utf16be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    const std::string utf8 =
        "IconResource=C:\\\xD8\xA3\xD9\x8A\xD9\x82\xD9\x88\xD9\x86\xD8\xA9.ico,0\r\n";
    struct Case {
        std::string old;
        std::string kept;
        std::string picture;  // our picture line as it must appear
    };
    const Case cases[] = {
        {cp1256(u"[.ShellClassInfo]\r\n" + theirs), cp1256(theirs),
         cp1256(u"IconArea_Image=C:\\صور\\سماء.jpg\r\n")},
        {"\xFF\xFE" + utf16le, utf16le.substr(36), std::string("I\0c\0o\0n\0A\0r\0e\0a\0_\0I", 19)},
        {"\xFE\xFF" + utf16be, utf16be.substr(36),
         std::string("\0I\0c\0o\0n\0A\0r\0e\0a\0_\0I", 20)},
        {"\xEF\xBB\xBF[.ShellClassInfo]\r\n" + utf8, utf8,
         "IconArea_Image=C:\\\xD8\xB5\xD9\x88\xD8\xB1\\"},
    };
    for (const auto& c : cases) {
        disk.addFile(iniPath, c.old);
        ASSERT_TRUE(apply());
        if (c.old[0] != '[') {
            EXPECT_EQ(written().substr(0, 2), c.old.substr(0, 2));
        }
        EXPECT_NE(written().find(c.kept), std::string::npos);
        EXPECT_NE(written().find(c.picture), std::string::npos);
    }
}

// Each failing step must leave the old file untouched, attributes included,
// and no half-written file or stray temporary beside it.
TEST_F(ApplyTest, FailingStepsLoseNothing) {
    using Op = FakeDisk::Operation;
    const std::string old = iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\i.ico,0"});
    for (Op failing :
         {Op::read, Op::createNew, Op::write, Op::flush, Op::replace, Op::setAttributes}) {
        SCOPED_TRACE(static_cast<int>(failing));
        FakeDisk fresh;
        fresh.addFolder(u"C:\\Data");
        fresh.addFile(iniPath, old, attribute::hidden);
        fresh.fail(failing);
        customisation::Disk on{fresh, fresh, codePage};
        EXPECT_FALSE(customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"}));
        ASSERT_EQ(fresh.files().size(), 1u) << "a temporary file was left behind";
        EXPECT_EQ(fresh.at(iniPath).bytes, old);
        EXPECT_EQ(fresh.at(iniPath).attributes, attribute::hidden);
    }
}

TEST_F(ApplyTest, FolderThatCannotBeMarkedSystemIsAFailureWithTheFileComplete) {
    FakeDisk fresh;
    fresh.addFolder(u"C:\\Data");
    customisation::Disk on{fresh, fresh, codePage};
    // The old file is visible, so nothing needs clearing before the replace;
    // only the attribute steps after it fail.
    fresh.addFile(iniPath, "x=y\r\n");
    fresh.fail(FakeDisk::Operation::setAttributes);
    EXPECT_FALSE(customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"}));
    EXPECT_NE(fresh.at(iniPath).bytes.find("IconArea_Image=C:\\a.jpg\r\n"), std::string::npos);
}

TEST_F(ApplyTest, LockedOldFileStaysAsItWas) {
    disk.addFile(iniPath, "old", attribute::hidden | attribute::system);
    disk.lock(iniPath);
    EXPECT_FALSE(apply());
    EXPECT_EQ(written(), "old");
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden | attribute::system);
    EXPECT_EQ(disk.files().size(), 1u);
}

TEST_F(ApplyTest, StaleTemporaryFilesAreSteppedOver) {
    disk.addFile(u"C:\\Data\\Desktop.ini.~1.tmp", "stale");
    ASSERT_TRUE(apply());
    EXPECT_EQ(written(), testData("fresh_cp1256.ini"));
    EXPECT_EQ(disk.at(u"C:\\Data\\Desktop.ini.~1.tmp").bytes, "stale");
}

}  // namespace
