// Files and places other programs or accidents leave behind: each gives
// a result or a clear failure, and nothing is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include "customisation/apply.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

using customisation::RemoveResult;

const std::string ourSection = "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\n";

struct HostileTest : ::testing::Test {
    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    customisation::Disk disk{files, attributes, codePage};

    void put(const std::u16string& path, const std::string& bytes) {
        auto file = files.createNew(path);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->write(bytes));
    }
    std::string contents(const std::u16string& path) { return files.read(path, 64u << 20).bytes; }
    bool apply(const std::u16string& folder) {
        return customisation::applyCustomisation(disk, folder, {u"C:\\new.jpg", u"255"});
    }
    customisation::FoundCustomisation read(const std::u16string& folder) {
        return customisation::readCustomisation(disk, folder);
    }
    static bool exists(const std::u16string& path) {
        return ::GetFileAttributesW(win32::longPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(HostileTest, ADesktopIniThatIsAFolder) {
    auto folder = freshFolder(u"ini-is-a-folder");
    ASSERT_TRUE(::CreateDirectoryW(win32::wide(folder + u"Desktop.ini"), nullptr));
    EXPECT_FALSE(apply(folder));
    EXPECT_EQ(read(folder).picturePath, std::nullopt);
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::failed);
    EXPECT_TRUE(exists(folder + u"Desktop.ini\\"));
}

TEST_F(HostileTest, TheReaderStopsAt64KiB) {
    for (std::size_t size : {std::size_t{64 * 1024}, std::size_t{64 * 1024 + 1}}) {
        auto folder = freshFolder(u"size-" + win32::fromWide(std::to_wstring(size)));
        std::string text = ourSection + "IconArea_Image=C:\\a.jpg\r\n;";
        text.append(size - text.size() - 2, 'x');
        text += "\r\n";
        ASSERT_EQ(text.size(), size);
        put(folder + u"Desktop.ini", text);
        auto found = read(folder);
        EXPECT_EQ(found.picturePath.has_value(), size == 64 * 1024) << size;
    }
}

TEST_F(HostileTest, OddContentIsMergedAndOurValuesReadBack) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) & 0xFF);
    std::string sections;
    for (int i = 0; i < 10000; ++i) {
        sections.append("[S").append(std::to_string(i)).append("]\r\nk=v\r\n");
    }
    std::string longLine = "[Big]\r\nk=";
    longLine.append(1 << 20, 'v').append("\r\n");
    struct Case {
        std::u16string name;
        std::string bytes;
        std::string kept;  // foreign content that must survive
        bool refused;      // cannot be put back byte for byte, so left alone
    };
    const Case cases[] = {
        {u"garbage", garbage, "", true},
        {u"nul-bytes", std::string("[A]\0\r\nk\0=v\0\r\n", 14), "", true},
        {u"long-line", longLine, longLine, false},
        {u"many-sections", sections, "[S0]\r\nk=v\r\n[S1]\r\n", false},
        {u"many-sections-end", sections, "[S9999]\r\nk=v\r\n", false},
        {u"utf16-odd", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0v\0x", 19), "", true},
        {u"lone-bom", "\xFF\xFE", "", false},
        {u"utf8-lone-bom", "\xEF\xBB\xBF", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        auto folder = freshFolder(u"odd-" + c.name);
        put(folder + u"Desktop.ini", c.bytes);
        if (c.refused) {
            EXPECT_FALSE(apply(folder));
            EXPECT_EQ(contents(folder + u"Desktop.ini"), c.bytes);
            EXPECT_FALSE(exists(folder + u"Desktop.ini.~1.tmp"));
            continue;
        }
        ASSERT_TRUE(apply(folder));
        auto written = contents(folder + u"Desktop.ini");
        if (written.size() <= 64 * 1024) {
            EXPECT_EQ(read(folder).picturePath, u"C:\\new.jpg");
            EXPECT_EQ(read(folder).colour, u"255");
        }
        EXPECT_NE(written.find(c.kept), std::string::npos);
    }
}

TEST_F(HostileTest, AFolderPathLongerThan260Characters) {
    std::u16string folder = freshFolder(u"long");
    for (int i = 0; i < 4; ++i) {
        folder += std::u16string(70, static_cast<char16_t>(u'a' + i)) + u"\\";
        ASSERT_TRUE(::CreateDirectoryW(win32::longPath(folder).c_str(), nullptr));
    }
    ASSERT_GT(folder.size(), 260u);
    ASSERT_TRUE(apply(folder));
    EXPECT_EQ(read(folder).picturePath, u"C:\\new.jpg");
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::deleted);
    EXPECT_FALSE(exists(folder + u"Desktop.ini"));
}

TEST_F(HostileTest, AFolderThatIsAFile) {
    auto place = freshFolder(u"folder-is-a-file");
    put(place + u"plain.txt", "mine");
    EXPECT_FALSE(apply(place + u"plain.txt\\"));
    EXPECT_EQ(contents(place + u"plain.txt"), "mine");
}

// The folder goes away after the old file was read and before the new one
// is created.
TEST_F(HostileTest, AFolderThatVanishesBeforeTheWrite) {
    struct Vanishing : win32::FileStore {
        std::u16string folder;
        platform::Created createNew(const std::u16string& path) override {
            ::RemoveDirectoryW(win32::wide(folder));
            return win32::FileStore::createNew(path);
        }
    } vanishing;
    customisation::Disk onVanishing{vanishing, attributes, codePage};
    vanishing.folder = freshFolder(u"vanishing");
    EXPECT_FALSE(
        customisation::applyCustomisation(onVanishing, vanishing.folder, {u"C:\\a.jpg", u"0"}));
    EXPECT_FALSE(exists(vanishing.folder));
}

// Prepared from the Linux side: Desktop.ini is a symbolic link to a file
// elsewhere, or beside it under another name. Wine 8 shows such a link as
// the file it points to, not as a reparse point; the name the handle
// resolves to tells. Replacing or deleting it would write, or remove, that
// other file.
TEST_F(HostileTest, ADesktopIniThatIsASymbolicLink) {
    struct Case {
        std::u16string folder, target;
    };
    // Refused with the failure message in every case, whatever it holds.
    const std::u16string scratch = testEnvironment().scratch;
    const Case cases[] = {
        {u"symlink", u"symlink-target.txt"},
        // Only our customisation: restore would delete these.
        {u"symlink-ours", u"symlink-ours-target.txt"},
        {u"symlink-beside", u"symlink-beside\\notes.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder.begin(), c.folder.end()));
        const std::u16string folder = scratch + c.folder + u"\\";
        const std::u16string victim = scratch + c.target;
        if (!exists(victim))
            GTEST_SKIP() << "the links are made by the prepare_hostile_places test";
        const std::string before = contents(victim);
        ASSERT_FALSE(before.empty());
        customisation::FailureReason reason;
        EXPECT_FALSE(
            customisation::applyCustomisation(disk, folder, {u"C:\\new.jpg", u"255"}, &reason));
        EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::failed);
        EXPECT_EQ(contents(victim), before);
        EXPECT_EQ(contents(folder + u"Desktop.ini"), before);
        // The folder was not marked either, and nothing was left beside.
        EXPECT_FALSE(::GetFileAttributesW(win32::wide(folder)) & FILE_ATTRIBUTE_SYSTEM);
        EXPECT_FALSE(exists(folder + u"Desktop.ini.~1.tmp"));
        EXPECT_FALSE(exists(folder + u"Desktop.ini.~1.bak"));
    }
}

// A second name of a file elsewhere: writing through it would change that file.
TEST_F(HostileTest, ADesktopIniWithAnotherName) {
    auto folder = freshFolder(u"hard-link");
    auto elsewhere = freshFolder(u"hard-link-elsewhere") + u"notes.ini";
    const std::string theirs = ourSection + "IconArea_Image=C:\\a.jpg\r\n";
    put(elsewhere, theirs);
    ASSERT_TRUE(
        ::CreateHardLinkW(win32::wide(folder + u"Desktop.ini"), win32::wide(elsewhere), nullptr));
    EXPECT_FALSE(apply(folder));
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::failed);
    EXPECT_EQ(read(folder).picturePath, std::nullopt);
    // Read past the check that refuses it, as one name among several.
    win32::UniqueFile file(::CreateFileW(win32::wide(elsewhere), GENERIC_READ, FILE_SHARE_READ,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ASSERT_TRUE(::ReadFile(file.get(), bytes.data(), 4096, &got, nullptr));
    EXPECT_EQ(bytes.substr(0, got), theirs);
}

// Device paths reach volumes and devices, never a folder's file.
TEST_F(HostileTest, DevicePathsAreRefused) {
    auto folder = freshFolder(u"device-path");
    const std::u16string devices[] = {
        u"\\\\.\\" + folder,
        u"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\",
        u"\\\\.\\PhysicalDrive0\\",
    };
    for (const auto& device : devices) {
        SCOPED_TRACE(std::string(device.begin(), device.end()));
        EXPECT_FALSE(apply(device));
        EXPECT_EQ(customisation::removeCustomisation(disk, device), RemoveResult::failed);
    }
    EXPECT_FALSE(exists(folder + u"Desktop.ini"));
}

// "." and ".." in a path long enough for the \\?\ form, which does not
// resolve them: the path is made whole first.
TEST_F(HostileTest, ALongPathWithDotsIsMadeWhole) {
    std::u16string folder = freshFolder(u"long-dots");
    const std::u16string part(90, u'd');
    for (int i = 0; i < 3; ++i) {
        folder += part + u"\\";
        ASSERT_TRUE(::CreateDirectoryW(win32::longPath(folder).c_str(), nullptr));
    }
    const std::u16string dotted = folder + u".\\..\\" + part + u"\\.\\";
    ASSERT_GT(dotted.size(), 260u);
    ASSERT_TRUE(apply(dotted));
    EXPECT_TRUE(exists(folder + u"Desktop.ini"));
    EXPECT_EQ(read(dotted).picturePath, u"C:\\new.jpg");
}

}  // namespace
