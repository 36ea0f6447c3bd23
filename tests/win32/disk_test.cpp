// Apply, read and remove on real files through the Win32 platform.
#include <windows.h>

#include <gtest/gtest.h>

#include "attributes_on_wine.h"
#include "customisation/apply.h"
#include "customisation/folder_mark.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "form_harness.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_version.h"
#include "profile_value.h"
#include "test_environment.h"
#include "test_support.h"
#include "utf16_bytes.h"

namespace {

using customisation::RemoveResult;

struct DiskTest : ::testing::Test {
    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    customisation::Disk disk{files, attributes, codePage};

    std::string contents(const std::u16string& path) {
        auto read = files.read(path, 1 << 20);
        EXPECT_EQ(read.status, platform::ReadStatus::ok);
        return read.bytes;
    }
    void put(const std::u16string& path, const std::string& bytes, DWORD attributes = 0) {
        ::SetFileAttributesW(win32::wide(path), FILE_ATTRIBUTE_NORMAL);
        auto file = files.createNew(path);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->write(bytes));
        file.file.reset();
        // New files are made hidden; these are someone else's.
        ::SetFileAttributesW(win32::wide(path), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    }
    bool apply(const std::u16string& folder, std::u16string picture = u"C:\\Pictures\\sky.jpg") {
        return customisation::applyCustomisation(disk, folder, {picture, u"16777215"});
    }
};

TEST_F(DiskTest, TheAnsiCodePageIsArabic) {
    EXPECT_EQ(::GetACP(), 1256u);
    EXPECT_EQ(codePage.encodeExactly(u"صورة"), std::string("\xD5\xE6\xD1\xC9"));
    EXPECT_EQ(codePage.encodeExactly(u"चित्र"), std::nullopt);
    EXPECT_EQ(codePage.decode("\xD5\xE6\xD1\xC9"), u"صورة");
}

// The folder "applied" is left behind for the check of the attributes as
// Wine stores them on the Linux side.
TEST_F(DiskTest, ApplyToANewFolder) {
    auto folder = freshFolder(u"applied");
    ASSERT_TRUE(apply(folder));
    EXPECT_EQ(contents(folder + u"Desktop.ini"), testData("fresh_cp1256.ini"));
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"), DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_EQ(attributesOf(folder), DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY});
}

TEST_F(DiskTest, ApplyOverAHiddenReadOnlyFileKeepsItsIcon) {
    auto folder = freshFolder(u"hidden-read-only");
    put(folder + u"Desktop.ini", "[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n",
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(apply(folder));
    EXPECT_NE(contents(folder + u"Desktop.ini").find("IconResource=C:\\blue.ico,0\r\n"),
              std::string::npos);
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY});
}

TEST_F(DiskTest, ApplyToAMissingFolderFails) {
    auto folder = freshFolder(u"missing") + u"not-there\\";
    EXPECT_FALSE(apply(folder));
    EXPECT_EQ(attributesOf(folder), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DiskTest, FolderWithoutTrailingBackslashGetsTheFileInside) {
    auto folder = freshFolder(u"no-backslash");
    auto bare = folder.substr(0, folder.size() - 1);
    ASSERT_TRUE(apply(bare));
    EXPECT_NE(attributesOf(folder + u"Desktop.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributesOf(bare + u"Desktop.ini"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DiskTest, PathOutsideTheCodePageIsWrittenAsUtf16) {
    auto folder = freshFolder(u"utf16");
    ASSERT_TRUE(apply(folder, u"C:\\चित्र\\sky.jpg"));
    EXPECT_EQ(contents(folder + u"Desktop.ini"), testData("fresh_utf16le.ini"));
    auto found = customisation::readCustomisation(disk, folder);
    EXPECT_EQ(found.picturePath, u"C:\\चित्र\\sky.jpg");
}

// The whole road through the window's handlers, on a real folder that was
// hidden and read-only before: it keeps both (as far as the file system
// keeps read-only on a folder) and gets and loses only System.
TEST_F(DiskTest, ApplyReadRemoveThroughTheWindow) {
    fakes::WindowFakes fake;
    win32::WindowsVersion windows;
    win32::NetworkPaths network;
    mainwindow::Form1 form(fake.servicesOver(disk, windows, network), fake.view);
    using mainwindow::ControlId;

    auto folder = freshFolder(u"round-trip");
    ::SetFileAttributesW(win32::wide(folder), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    const DWORD before = attributesOf(folder);
    ASSERT_TRUE(before & FILE_ATTRIBUTE_HIDDEN);
    const std::u16string picture = u"C:\\صور عائلية\\رحلة, 2024 @ البحر.jpg";
    form.textEdited(ControlId::fold, folder);
    form.textEdited(ControlId::img, picture);
    form.textEdited(ControlId::color, u"65280");
    form.Image5_Click();
    // Wine reports Windows 7 by default, and XP x64 to the build on XP's paths.
    const auto release = windows.release();
    EXPECT_EQ(release.major, win32::onXpPaths ? 5u : 6u);
    const std::u16string shown = fake.messages.shown.back().text;
    EXPECT_EQ(shown.substr(0, shown.find(u'\n')), u"تم التغيير بنجاح");
    EXPECT_EQ(shown.find(u"XP") != std::u16string::npos, !win32::onXpPaths);
    // Read-only, where the file system keeps it on a folder, is mark enough.
    const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(attributesOf(folder), before & marks ? before : before | FILE_ATTRIBUTE_SYSTEM);

    form.textEdited(ControlId::fold, u"");
    form.textEdited(ControlId::fold, folder);
    EXPECT_EQ(form.text(ControlId::img), picture);
    EXPECT_EQ(form.text(ControlId::color), u"65280");

    form.Image4_Click();
    EXPECT_EQ(fake.messages.shown.back().text, u"تم الحذف بنجاح");
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributesOf(folder), before);
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::noFile);
}

TEST_F(DiskTest, RemoveKeepsAnotherProgramsIcon) {
    auto folder = freshFolder(u"remove-keeps-icon");
    put(folder + u"Desktop.ini", "[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n");
    ASSERT_TRUE(apply(folder));
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::rewritten);
    EXPECT_EQ(contents(folder + u"Desktop.ini"),
              "[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n");
    // Visible again, as it was before apply hid it.
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"), DWORD{0});
}

// Windows' INI reader takes a UTF-8 mark for ANSI, which Wine's does not:
// the file becomes UTF-16 LE, and restore gives back its bytes.
TEST_F(DiskTest, AUtf8FileBecomesUtf16AndComesBackByteForByte) {
    auto folder = freshFolder(u"utf8-mark");
    const std::u16string ini = folder + u"Desktop.ini";
    const std::string theirs =
        "\xEF\xBB\xBF[.ShellClassInfo]\r\nInfoTip=\xD8\xB5\xD9\x88\xD8\xB1\r\n";
    put(ini, theirs, FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(apply(folder));
    EXPECT_EQ(contents(ini).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profileValue(ini, L".ShellClassInfo", L"InfoTip"), u"صور");
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::rewritten);
    EXPECT_EQ(contents(ini), theirs);
}

// An ANSI name would read as another on a machine of another code page, and
// the folder goes there with its picture.
TEST_F(DiskTest, APictureInTheFolderNamedBeyondAsciiIsWrittenAsUtf16) {
    auto folder = freshFolder(u"arabic-picture-inside");
    const std::u16string ini = folder + u"Desktop.ini";
    ASSERT_TRUE(apply(folder, folder + u"خلفية.jpg"));
    EXPECT_EQ(contents(ini).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profileValue(ini, L"{BE098140-A513-11D0-A3A4-00C04FD706EC}", L"IconArea_Image"),
              u".\\خلفية.jpg");
}

// A folder may have had System before; one with neither mark gets it. Each
// gets back exactly what it had. The folders stay for the check of what
// Wine stored.
TEST_F(DiskTest, TheFolderGetsBackExactlyItsMarks) {
    struct Case {
        const char16_t* name;
        DWORD marks;
        bool theirLines;  // restore rewrites the file rather than delete it
    };
    const Case cases[] = {
        {u"marks-system", FILE_ATTRIBUTE_SYSTEM, false},
        {u"marks-system-kept-file", FILE_ATTRIBUTE_SYSTEM, true},
        {u"marks-none", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(win32::wide(std::u16string(c.name)));
        auto folder = freshFolder(c.name);
        if (c.theirLines) {
            put(folder + u"Desktop.ini", "[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n",
                FILE_ATTRIBUTE_HIDDEN);
        }
        ::SetFileAttributesW(win32::wide(folder), c.marks ? c.marks : FILE_ATTRIBUTE_NORMAL);
        const DWORD before = attributesOf(folder);
        ASSERT_EQ(before, c.marks | FILE_ATTRIBUTE_DIRECTORY);
        ASSERT_TRUE(apply(folder));
        EXPECT_EQ(attributesOf(folder), c.marks ? before : before | FILE_ATTRIBUTE_SYSTEM);
        const auto removed = customisation::removeCustomisation(disk, folder);
        EXPECT_EQ(removed == RemoveResult::rewritten, c.theirLines);
        // As the window and the command line do after a delete.
        if (removed == RemoveResult::deleted) customisation::unmarkFolder(attributes, folder);
        EXPECT_EQ(attributesOf(folder), before);
    }
}

// Windows' own Customize tab marks a folder Read-only, which makes the shell
// read its file as System does: it gets no other mark, and keeps its own.
// Wine takes a folder's Read-only from its Unix write bits, which only the
// Linux side can take away (prepare_hostile_places.py).
TEST_F(DiskTest, AReadOnlyFolderGetsNoOtherMark) {
    const std::u16string folder = testEnvironment().scratch + u"marks-read-only\\";
    const DWORD before = attributesOf(folder);
    ASSERT_EQ(before, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY});
    ASSERT_TRUE(apply(folder));
    EXPECT_EQ(attributesOf(folder), before);
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::rewritten);
    EXPECT_EQ(attributesOf(folder), before);
}

// A person's own tip on a folder the shell reads: nothing there is ours to take.
TEST_F(DiskTest, RemoveLeavesAFileWithOnlyTheirInfoTipAlone) {
    auto folder = freshFolder(u"their-info-tip");
    const std::string theirs =
        "[.ShellClassInfo]\r\nInfoTip=\xD5\xE6\xD1 \xC7\xE1\xD1\xCD\xE1\xC9\r\n";
    put(folder + u"Desktop.ini", theirs, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW(win32::wide(folder), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::notOurs);
    EXPECT_EQ(contents(folder + u"Desktop.ini"), theirs);
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(attributesOf(folder), DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY});
}

TEST_F(DiskTest, AFileHeldOpenIsLeftAsItWas) {
    auto folder = freshFolder(u"locked");
    ASSERT_TRUE(apply(folder));
    const std::string before = contents(folder + u"Desktop.ini");
    win32::UniqueFile held(::CreateFileW(win32::wide(folder + u"Desktop.ini"), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::failed);
    EXPECT_FALSE(apply(folder, u"C:\\other.jpg"));
    held.reset();
    EXPECT_EQ(contents(folder + u"Desktop.ini"), before);
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"), DWORD{FILE_ATTRIBUTE_HIDDEN});
}

DWORD WINAPI closeAfterAMoment(LPVOID file) {
    ::Sleep(300);
    ::CloseHandle(file);
    return 0;
}

// Explorer or a virus scanner holds the file a moment: apply and restore
// wait for it. Held for good, they fail with the system's reason.
TEST_F(DiskTest, AFileHeldAMomentIsWaitedFor) {
    auto folder = freshFolder(u"held-a-moment");
    const std::u16string ini = folder + u"Desktop.ini";
    ASSERT_TRUE(apply(folder));
    for (const bool restore : {false, true}) {
        HANDLE held =
            ::CreateFileW(win32::wide(ini), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        // A thread handle is null on failure, never INVALID_HANDLE_VALUE.
        win32::Unique<HANDLE, win32::closeHandle> closer(
            ::CreateThread(nullptr, 0, closeAfterAMoment, held, 0, nullptr));
        ASSERT_TRUE(closer);
        if (restore) {
            EXPECT_EQ(customisation::removeCustomisation(disk, folder), RemoveResult::deleted);
        } else {
            EXPECT_TRUE(apply(folder, u"C:\\other.jpg"));
        }
        ::WaitForSingleObject(closer.get(), INFINITE);
    }
    EXPECT_EQ(attributesOf(ini), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(apply(folder));
    win32::UniqueFile held(
        ::CreateFileW(win32::wide(ini), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    customisation::FailureReason reason;
    EXPECT_FALSE(customisation::applyCustomisation(disk, folder, {u"C:\\b.jpg", u"0"}, &reason));
    EXPECT_EQ(reason.error, DWORD{ERROR_SHARING_VIOLATION});
}

// Files whose bytes cannot all be put back, and files whose can: each comes
// out of apply and restore byte for byte, or is not touched at all.
TEST_F(DiskTest, ForeignEncodingsComeBackByteForByteOrUntouched) {
    const std::string utf16 = utf16le(u"[.ShellClassInfo]\r\nIconResource=C:\\أ.ico,0\r\n");
    struct Case {
        std::u16string name;
        std::string bytes;
        bool refused;
    };
    const Case cases[] = {
        {u"utf16-without-bom", utf16, true},
        {u"bad-utf8-after-bom", "\xEF\xBB\xBF[A]\r\nk=\xC3(\xFF\r\n", true},
        {u"utf16-with-bom", "\xFF\xFE" + utf16, false},
        {u"utf8-lf-no-end", "\xEF\xBB\xBF[A]\nk=\xD8\xB5\n[B]\rx=1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        auto folder = freshFolder(u"encoding-" + c.name);
        const auto ini = folder + u"Desktop.ini";
        put(ini, c.bytes, FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(apply(folder), !c.refused);
        EXPECT_EQ(contents(ini) == c.bytes, c.refused);
        EXPECT_EQ(customisation::removeCustomisation(disk, folder),
                  c.refused ? RemoveResult::failed : RemoveResult::rewritten);
        EXPECT_EQ(contents(ini), c.bytes);
        EXPECT_EQ(attributesOf(ini), DWORD{FILE_ATTRIBUTE_HIDDEN});
        // Not marked before apply, and not after restore.
        EXPECT_EQ(attributesOf(folder) & FILE_ATTRIBUTE_SYSTEM, 0u);
    }
}

// Only Desktop.ini is left in the folder, after an apply that worked and
// one that failed; and temporary files a crash left never stop apply.
TEST_F(DiskTest, NoTemporaryFilesAreLeftAndStaleOnesDoNotStopApply) {
    auto onlyDesktopIni = [](const std::u16string& folder) {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW found{};
        const win32::UniqueFind search(::FindFirstFileW(win32::wide(folder + u"*"), &found));
        if (!search) return names;
        do {
            std::u16string name = win32::fromWide(found.cFileName);
            if (name != u"." && name != u"..") names.push_back(name);
        } while (::FindNextFileW(search.get(), &found));
        return names;
    };
    const std::vector<std::u16string> alone{u"Desktop.ini"};

    auto folder = freshFolder(u"no-leftovers");
    ASSERT_TRUE(apply(folder));
    ASSERT_TRUE(apply(folder, u"C:\\other.jpg"));
    EXPECT_EQ(onlyDesktopIni(folder), alone);
    win32::UniqueFile held(::CreateFileW(win32::wide(folder + u"Desktop.ini"), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(apply(folder));
    held.reset();
    EXPECT_EQ(onlyDesktopIni(folder), alone);

    auto crashed = freshFolder(u"stale-temporaries");
    for (int n = 1; n <= 20; ++n) {
        put(crashed + u"Desktop.ini.~" + win32::fromWide(std::to_wstring(n)) + u".tmp", "stale",
            FILE_ATTRIBUTE_HIDDEN);
    }
    ASSERT_TRUE(apply(crashed));
    EXPECT_EQ(contents(crashed + u"Desktop.ini"), testData("fresh_cp1256.ini"));
}

}  // namespace
