#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "customisation/apply_with_icon.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "fake_icon_maker.h"
#include "test_support.h"

namespace {

using customisation::Customisation;
using customisation::FolderIcon;
using customisation::IconLine;
using fakes::FakeDisk;
namespace attribute = platform::attribute;

using test_folder::folder;
using test_folder::iniPath;
constexpr char16_t sky[] = u"C:\\Pictures\\sky.jpg";
constexpr char16_t sea[] = u"C:\\Pictures\\sea.jpg";

TEST(IconLines, OursOnlyByOurNamePatternRelativeToTheFolder) {
    const std::u16string name = customisation::iconFileName("icon bytes");
    struct Case {
        std::u16string line;
        IconLine kind;
    };
    const Case cases[] = {
        {u"IconResource=.\\" + name + u",0", IconLine::ours},
        {u"iconfile = .\\" + name, IconLine::ours},
        {u"IconResource=C:\\Data\\" + name + u",0", IconLine::theirs},  // absolute: not ours
        {u"IconResource=.\\" + name + u",3", IconLine::theirs},
        {u"IconFile=.\\folder-picture-0123.ico", IconLine::theirs},
        {u"IconFile=.\\folder-picture-0123456789abcdeg.ico", IconLine::theirs},
        {u"IconResource=%SystemRoot%\\system32\\imageres.dll,-3", IconLine::theirs},
        {u"IconIndex=0", IconLine::zeroIndex},
        {u"IconIndex=5", IconLine::none},
        {u"InfoTip=.\\" + name, IconLine::none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(customisation::iconLineKind(c.line), c.kind)
            << std::string(c.line.begin(), c.line.end());
    }
}

TEST(IconLines, NameChangesWithTheBytesOnly) {
    EXPECT_EQ(customisation::iconFileName("one"), customisation::iconFileName("one"));
    EXPECT_NE(customisation::iconFileName("one"), customisation::iconFileName("onf"));
    EXPECT_TRUE(customisation::isOurIconFileName(customisation::iconFileName("")));
}

TEST(IconLines, MergedOnlyWhereTheFolderHasNoIconOfItsOwn) {
    const Customisation withIcon{u"C:\\a.jpg", u"0", customisation::iconFileName("x")};
    auto iconLinesIn = [&](const std::vector<std::u16string>& texts) {
        const std::vector<customisation::Line> lines(texts.begin(), texts.end());
        int count = 0;
        for (const auto& line :
             customisation::customisedLines(withIcon, customisation::foreignContent(lines))) {
            if (customisation::iconLineKind(line.text) != IconLine::none) ++count;
        }
        return count;
    };
    EXPECT_EQ(iconLinesIn(std::vector<std::u16string>{}), 3);
    // Their icon stays the only one, even when asked to write ours.
    EXPECT_EQ(iconLinesIn({u"[.ShellClassInfo]", u"IconFile=mine.ico"}), 1);
}

// A file's bytes and attributes: what a person would see of a folder.
std::map<std::u16string, std::pair<std::string, std::uint32_t>> seen(const FakeDisk& disk) {
    std::map<std::u16string, std::pair<std::string, std::uint32_t>> files;
    for (const auto& [path, entry] : disk.files()) files[path] = {entry.bytes, entry.attributes};
    return files;
}

struct FolderIconTest : ::testing::Test {
    FakeDisk disk;
    fakes::Cp1256 codePage;
    customisation::Disk platform{disk, disk, codePage};
    fakes::FakeIconMaker maker;

    FolderIconTest() {
        disk.addFolder(u"C:\\Data");
        maker.know(sky, "sky icon");
        maker.know(sea, "sea icon");
    }

    customisation::AppliedWithIcon apply(std::u16string picture, bool icon = true,
                                         std::u16string_view where = folder) {
        return customisation::applyWithIcon(platform, where, Customisation{picture, u"0"},
                                            icon ? &maker : nullptr);
    }
    static std::u16string iconPath(std::string_view bytes) {
        return std::u16string(folder) + customisation::iconFileName(bytes);
    }
    // The icon files of ours in the folder.
    std::vector<std::u16string> ourIconFiles() const {
        std::vector<std::u16string> found;
        for (const auto& [path, entry] : disk.files()) {
            auto name = path.substr(path.find_last_of(u'\\') + 1);
            if (customisation::isOurIconFileName(name)) found.push_back(name);
        }
        return found;
    }
};

TEST_F(FolderIconTest, IconFileIsHiddenSystemAndNamedByRelativeLines) {
    ASSERT_EQ(apply(sky).icon, FolderIcon::ours);
    const auto path = iconPath("sky icon");
    ASSERT_TRUE(disk.exists(path));
    EXPECT_EQ(disk.at(path).bytes, "sky icon");
    EXPECT_EQ(disk.at(path).attributes, attribute::hidden | attribute::system);
    const auto name = customisation::iconFileName("sky icon");
    const std::string ini = disk.at(iniPath).bytes;
    EXPECT_NE(ini.find(cp1256(u"IconResource=.\\" + name + u",0\r\nIconFile=.\\" + name +
                              u"\r\nIconIndex=0\r\n")),
              std::string::npos);
    const auto found = customisation::readCustomisation(platform, folder);
    EXPECT_TRUE(found.ourIcon);
    EXPECT_FALSE(found.ownIcon);
}

TEST_F(FolderIconTest, EachApplyLeavesExactlyOneIconFileOfOurs) {
    // Another picture, the same again, then no icon at all.
    const struct {
        const char16_t* picture;
        bool icon;
        std::vector<std::u16string> expected;
    } steps[] = {
        {sky, true, {customisation::iconFileName("sky icon")}},
        {sea, true, {customisation::iconFileName("sea icon")}},
        {sea, true, {customisation::iconFileName("sea icon")}},
        {sea, false, {}},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(apply(step.picture, step.icon).applied);
        EXPECT_EQ(ourIconFiles(), step.expected);
        EXPECT_EQ(customisation::readCustomisation(platform, folder).ourIcon, step.icon);
    }
}

TEST_F(FolderIconTest, FolderWithItsOwnIconKeepsItByteForByte) {
    const std::initializer_list<std::u16string_view> ownIcons[] = {
        {u"[.ShellClassInfo]", u"IconResource=C:\\icons\\blue.ico,0"},
        {u"[.ShellClassInfo]", u"IconFile=blue.ico", u"IconIndex=0"},
        {u"[.shellclassinfo]", u"IconResource=%SystemRoot%\\system32\\shell32.dll,4"},
    };
    for (const auto& lines : ownIcons) {
        disk.addFile(iniPath, iniFile(lines));
        const std::string theirs = disk.at(iniPath).bytes;
        ASSERT_EQ(apply(sky).icon, FolderIcon::keptOwn);
        EXPECT_TRUE(ourIconFiles().empty());
        EXPECT_TRUE(customisation::readCustomisation(platform, folder).ownIcon);
        ASSERT_EQ(customisation::removeCustomisation(platform, folder),
                  customisation::RemoveResult::rewritten);
        EXPECT_EQ(disk.at(iniPath).bytes, theirs);
    }
}

TEST_F(FolderIconTest, AnIconChosenAfterOursTakesItsPlace) {
    ASSERT_TRUE(apply(sky).applied);
    std::string ini = disk.at(iniPath).bytes;
    const std::string header = "[.ShellClassInfo]\r\n";
    ini.insert(ini.find(header) + header.size(), "IconResource=C:\\mine.ico,0\r\n");
    disk.addFile(iniPath, ini, attribute::hidden);
    ASSERT_EQ(apply(sea).icon, FolderIcon::keptOwn);
    EXPECT_TRUE(ourIconFiles().empty());
    const auto found = customisation::readCustomisation(platform, folder);
    EXPECT_FALSE(found.ourIcon);
    EXPECT_TRUE(found.ownIcon);
}

TEST_F(FolderIconTest, RestoreLeavesTheFolderAsBeforeTheFirstApply) {
    const std::initializer_list<std::u16string_view> befores[] = {
        {},
        {u"[ViewState]", u"Mode=", u"[.ShellClassInfo]", u"IconIndex=0", u"InfoTip=mine"},
    };
    for (const auto& lines : befores) {
        if (lines.size() != 0) disk.addFile(iniPath, iniFile(lines), attribute::readOnly);
        const auto before = seen(disk);
        ASSERT_TRUE(apply(sky).applied);
        ASSERT_TRUE(apply(sea).applied);
        ASSERT_NE(customisation::removeCustomisation(platform, folder),
                  customisation::RemoveResult::failed);
        EXPECT_TRUE(ourIconFiles().empty());
        // The folder's own mark is the caller's to take off.
        disk.set(u"C:\\Data", attribute::directory);
        EXPECT_EQ(seen(disk), before);
    }
}

TEST_F(FolderIconTest, FailedApplyLeavesTheOldIconAndDeletesTheNew) {
    ASSERT_TRUE(apply(sky).applied);
    const auto before = seen(disk);
    // Desktop.ini cannot be read again once the new icon is in place.
    disk.holdBusy(iniPath, -1, platform::error::accessDenied);
    EXPECT_FALSE(apply(sea).applied);
    EXPECT_EQ(seen(disk), before);
}

// A new icon is written under its own name in place; one that a crash left
// half written there, or that someone changed, is made whole by the next
// apply of the same picture, and the same icon already there is kept.
TEST_F(FolderIconTest, AnIconFileUnderOurNameEndsWithTheIconsBytes) {
    for (const std::string old : {"sky", "sky icon and more", "sky icon"}) {
        disk.addFile(iconPath("sky icon"), old, attribute::hidden);
        ASSERT_EQ(apply(sky).icon, FolderIcon::ours) << old;
        EXPECT_EQ(disk.at(iconPath("sky icon")).bytes, "sky icon") << old;
        EXPECT_EQ(disk.at(iconPath("sky icon")).attributes, attribute::hidden | attribute::system);
        EXPECT_EQ(ourIconFiles().size(), 1u);
    }
}

TEST_F(FolderIconTest, FailedMarkOfAFreshFolderLeavesNoFileOfOurs) {
    disk.refuseAttributes(u"C:\\Data\\");
    disk.refuseAttributes(u"C:\\Data");
    EXPECT_FALSE(apply(sky).applied);
    EXPECT_TRUE(disk.files().empty());
}

TEST_F(FolderIconTest, NoIconWhereNoneCanBeMade) {
    // An undecodable picture; a drive's root, whose icon comes from elsewhere.
    EXPECT_EQ(apply(u"C:\\broken.jpg").icon, FolderIcon::none);
    EXPECT_TRUE(ourIconFiles().empty());
    disk.addFolder(u"D:\\");
    EXPECT_EQ(apply(sky, true, u"D:\\").icon, FolderIcon::none);
    EXPECT_FALSE(disk.exists(u"D:\\" + customisation::iconFileName("sky icon")));
}

}  // namespace
