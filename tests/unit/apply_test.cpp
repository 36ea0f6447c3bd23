#include <gtest/gtest.h>

#include "customisation/apply.h"
#include "customisation/atomic_replace.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "test_support.h"
#include "utf16_bytes.h"

namespace {

using customisation::Customisation;
using fakes::FakeDisk;
namespace attribute = platform::attribute;

using test_folder::folder;
using test_folder::iniPath;

std::u16string fromAscii(const std::string& text) { return {text.begin(), text.end()}; }

struct ApplyTest : ::testing::Test {
    FakeDisk disk;
    fakes::Cp1256 codePage;
    customisation::Disk platform{disk, disk, codePage};

    ApplyTest() { disk.addFolder(u"C:\\Data", attribute::readOnly); }

    bool apply(std::u16string picture = u"C:\\Pictures\\sky.jpg",
               std::u16string colour = u"16777215", std::u16string_view where = folder) {
        return customisation::applyCustomisation(platform, where, Customisation{picture, colour});
    }
    std::string written() const { return disk.at(iniPath).bytes; }
};

TEST_F(ApplyTest, FreshFileIsTheTwelveLinesInTheAnsiCodePage) {
    ASSERT_TRUE(apply());
    EXPECT_EQ(written(), testData("fresh_cp1256.ini"));
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden);
    // Read-only, as Windows' own Customize tab marks a folder, is mark enough.
    EXPECT_EQ(disk.at(u"C:\\Data").attributes & ~attribute::directory, attribute::readOnly);
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
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden | attribute::readOnly);
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
// them in it, where Windows reads that encoding as we do. A UTF-8 or
// UTF-16 BE mark it takes for ANSI: such a file becomes UTF-16 LE.
TEST_F(ApplyTest, KeepsOldFilesInTheirEncoding) {
    const std::u16string theirs = u"IconResource=C:\\أيقونة.ico,0\r\n";
    const std::u16string text = u"[.ShellClassInfo]\r\n" + theirs;
    const std::string little = utf16le(text), big = utf16be(text);
    const std::string utf8 =
        "IconResource=C:\\\xD8\xA3\xD9\x8A\xD9\x82\xD9\x88\xD9\x86\xD8\xA9.ico,0\r\n";
    const std::string pictureInUtf16("I\0c\0o\0n\0A\0r\0e\0a\0_\0I", 19);
    struct Case {
        std::string old;
        std::string mark;  // the written file's
        std::string kept;
        std::string picture;  // our picture line as it must appear
    };
    const Case cases[] = {
        {cp1256(u"[.ShellClassInfo]\r\n" + theirs), "", cp1256(theirs),
         "IconArea_Image=C:\\Pictures\\sky.jpg\r\n"},
        {"\xFF\xFE" + little, "\xFF\xFE", little.substr(36), pictureInUtf16},
        {"\xFE\xFF" + big, "\xFF\xFE", little.substr(36), pictureInUtf16},
        {"\xEF\xBB\xBF[.ShellClassInfo]\r\n" + utf8, "\xFF\xFE", little.substr(36), pictureInUtf16},
    };
    for (const auto& c : cases) {
        disk.addFile(iniPath, c.old);
        ASSERT_TRUE(apply());
        EXPECT_EQ(written().starts_with("\xFF\xFE"), !c.mark.empty());
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

// Half an apply is none: the old file comes back, or the new one goes.
TEST_F(ApplyTest, FolderThatCannotBeMarkedSystemGetsItsOldFileBack) {
    for (const std::optional<std::string>& old :
         {std::optional<std::string>("x=y\r\n"), std::optional<std::string>()}) {
        FakeDisk fresh;
        fresh.addFolder(u"C:\\Data");
        customisation::Disk on{fresh, fresh, codePage};
        if (old) fresh.addFile(iniPath, *old);
        fresh.fail(FakeDisk::Operation::setAttributes);
        EXPECT_FALSE(customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"}));
        EXPECT_EQ(fresh.files().size(), old ? 1u : 0u);
        if (old) {
            EXPECT_EQ(fresh.at(iniPath).bytes, *old);
        }
    }
}

// A folder already marked keeps no copy of its old file; should the mark be
// taken away meanwhile and not come back, the new file, which holds the old
// one's lines too, must stay rather than go with nothing in its place.
TEST_F(ApplyTest, AMarkLostDuringApplyNeverCostsTheFile) {
    FakeDisk fresh;
    fresh.addFolder(u"C:\\Data", attribute::system);
    fresh.addFile(iniPath, "[A]\r\nk=v\r\n");
    fresh.beforeReplace = [&] {
        fresh.set(u"C:\\Data", attribute::normal);
        fresh.refuseAttributes(u"C:\\Data");
    };
    customisation::Disk on{fresh, fresh, codePage};
    EXPECT_FALSE(customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"}));
    ASSERT_TRUE(fresh.exists(iniPath));
    EXPECT_NE(fresh.at(iniPath).bytes.find("k=v\r\n"), std::string::npos);
    EXPECT_EQ(fresh.files().size(), 1u) << "a temporary file or backup was left";
}

TEST_F(ApplyTest, LockedOldFileStaysAsItWas) {
    disk.addFile(iniPath, "old", attribute::hidden | attribute::system);
    disk.lock(iniPath);
    EXPECT_FALSE(apply());
    EXPECT_EQ(written(), "old");
    EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden | attribute::system);
    EXPECT_EQ(disk.files().size(), 1u);
}

// Leftovers of runs that crashed are cleared away; a name that cannot be
// cleared is stepped over.
TEST_F(ApplyTest, StaleTemporaryFilesNeverStopApply) {
    disk.addFile(iniPath, "[A]\r\nk=v\r\n");
    disk.addFolder(u"C:\\Data\\Desktop.ini.~1.tmp");
    for (int n = 2; n <= 21; ++n) {
        disk.addFile(u"C:\\Data\\Desktop.ini.~" + fromAscii(std::to_string(n)) + u".tmp", "stale",
                     attribute::hidden);
    }
    ASSERT_TRUE(apply());
    ASSERT_TRUE(apply());
    EXPECT_LE(disk.files().size(), 21u) << "apply left files of its own";
    EXPECT_NE(written().find("k=v\r\n"), std::string::npos);
}

// Another program writes the file between our read and our replace: its
// lines are read and merged again, never overwritten; one that keeps writing
// makes us give up and leave its file as it wrote it.
TEST_F(ApplyTest, AChangeBetweenOurReadAndOurReplaceIsMergedAgain) {
    for (const int changes : {1, customisation::mergeAttempts}) {
        SCOPED_TRACE(changes);
        FakeDisk fresh;
        customisation::Disk on{fresh, fresh, codePage};
        fresh.addFolder(u"C:\\Data");
        fresh.addFile(iniPath, "[A]\r\nk=v\r\n");
        int written = 0;
        std::string theirs;
        fresh.beforeReplace = [&] {
            if (written == changes) return;
            theirs = "[A]\r\nk=v\r\nchange=" + std::to_string(++written) + "\r\n";
            fresh.addFile(iniPath, theirs);
        };
        const bool applied = customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"});
        EXPECT_EQ(applied, changes < customisation::mergeAttempts);
        if (!applied) {
            EXPECT_EQ(fresh.at(iniPath).bytes, theirs);
        }
        EXPECT_NE(fresh.at(iniPath).bytes.find(theirs.substr(11)), std::string::npos);
        EXPECT_EQ(fresh.files().size(), 1u);

        // Restoring meanwhile keeps what they wrote last.
        written = 0;
        fresh.beforeReplace = [&] {
            if (written++ == 0) fresh.addFile(iniPath, fresh.at(iniPath).bytes + "late=1\r\n");
        };
        if (applied) {
            EXPECT_EQ(customisation::removeCustomisation(on, folder),
                      customisation::RemoveResult::rewritten);
            EXPECT_EQ(fresh.at(iniPath).bytes, theirs + "late=1\r\n");
        }
    }
}

// A Desktop.ini that is a link would have us write another file.
TEST_F(ApplyTest, ALinkedFileIsLeftAlone) {
    disk.addFile(iniPath, "[A]\r\nk=v\r\n");
    disk.link(iniPath);
    EXPECT_FALSE(apply());
    EXPECT_EQ(customisation::removeCustomisation(platform, folder),
              customisation::RemoveResult::failed);
    EXPECT_EQ(written(), "[A]\r\nk=v\r\n");
    EXPECT_EQ(disk.at(u"C:\\Data").attributes, attribute::readOnly | attribute::directory);
}

}  // namespace
