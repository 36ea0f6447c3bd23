// The folder's icon on real files: what the shell's profile reader and
// icon loader see, a copied folder, a second picture and the restore.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "attributes_on_wine.h"
#include "customisation/apply_with_icon.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/remove.h"
#include "foldericon/win32/folder_icon_maker.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

using customisation::FolderIcon;

std::wstring dataFile(const wchar_t* name) {
    const std::string folder = TEST_DATA_DIR;
    return std::wstring(folder.begin(), folder.end()) + L"/" + name;
}

std::wstring profileString(const std::u16string& ini, const wchar_t* key) {
    wchar_t value[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L".ShellClassInfo", key, L"", value, MAX_PATH, win32::wide(ini));
    return value;
}

// Every file in the folder, hidden ones too.
std::set<std::wstring> namesIn(const std::u16string& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(win32::wide(folder + u"*"), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

struct FolderIconOnDisk : ::testing::Test {
    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    customisation::Disk disk{files, attributes, codePage};
    win32::FolderIconMaker maker;
    std::u16string sky = testEnvironment().scratch + u"icon-sky.jpg";
    std::u16string sea = testEnvironment().scratch + u"icon-sea-picture.bmp";

    FolderIconOnDisk() {
        // Two pictures of slightly different colours: two icons, two names.
        ::CopyFileW(dataFile(L"picture.jpg").c_str(), win32::wide(sky), FALSE);
        ::CopyFileW(dataFile(L"picture.bmp").c_str(), win32::wide(sea), FALSE);
    }
    customisation::AppliedWithIcon apply(const std::u16string& folder,
                                         const std::u16string& picture, bool icon = true) {
        return customisation::applyWithIcon(disk, folder, {picture, u"16777215"},
                                            icon ? &maker : nullptr);
    }
};

TEST_F(FolderIconOnDisk, TheShellReadsOurLinesAndLoadsTheIconItNames) {
    const auto folder = freshFolder(u"icon-applied");
    ASSERT_EQ(apply(folder, sky).icon, FolderIcon::ours);
    const auto made = maker.makeIcon(sky);
    ASSERT_TRUE(made);
    const std::u16string name = customisation::iconFileName(*made);
    const auto ini = folder + u"Desktop.ini";
    EXPECT_EQ(profileString(ini, L"IconResource"), L".\\" + win32::toWide(name) + L",0");
    EXPECT_EQ(profileString(ini, L"IconFile"), L".\\" + win32::toWide(name));
    EXPECT_EQ(profileString(ini, L"IconIndex"), L"0");

    const auto icon = folder + name;
    EXPECT_EQ(attributesOf(icon), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(files.read(icon, 1 << 20).bytes, *made);
    HANDLE loaded = ::LoadImageW(nullptr, win32::wide(icon), IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
    EXPECT_NE(loaded, nullptr);
    if (loaded) ::DestroyIcon(static_cast<HICON>(loaded));

    // Copied elsewhere, the folder still names an icon beside its file.
    const auto copy = freshFolder(u"icon-copied");
    for (const auto& file : namesIn(folder)) {
        const std::u16string name16(file.begin(), file.end());
        ASSERT_TRUE(::CopyFileW(win32::wide(folder + name16), win32::wide(copy + name16), TRUE));
    }
    const std::wstring named = profileString(copy + u"Desktop.ini", L"IconFile");
    EXPECT_NE(attributesOf(copy + std::u16string(named.begin() + 2, named.end())),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(FolderIconOnDisk, AnotherPictureLeavesOneIconAndRestoreLeavesTheFolderAsItWas) {
    const auto folder = freshFolder(u"icon-twice");
    const std::string theirs = "[ViewState]\r\nMode=\r\n";
    {
        auto file = files.createNew(folder + u"Desktop.ini");
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->write(theirs));
    }
    ::SetFileAttributesW(win32::wide(folder + u"Desktop.ini"), FILE_ATTRIBUTE_READONLY);
    const auto before = namesIn(folder);

    ASSERT_TRUE(apply(folder, sky).applied);
    ASSERT_TRUE(apply(folder, sea).applied);
    const auto secondName = win32::toWide(customisation::iconFileName(*maker.makeIcon(sea)));
    auto names = namesIn(folder);
    names.erase(L"Desktop.ini");
    EXPECT_EQ(names, std::set<std::wstring>{secondName});

    ASSERT_EQ(customisation::removeCustomisation(disk, folder),
              customisation::RemoveResult::rewritten);
    EXPECT_EQ(namesIn(folder), before);
    EXPECT_EQ(files.read(folder + u"Desktop.ini", 1 << 20).bytes, theirs);
    EXPECT_EQ(attributesOf(folder + u"Desktop.ini"), DWORD{FILE_ATTRIBUTE_READONLY});
}

TEST_F(FolderIconOnDisk, AFolderWithItsOwnIconKeepsItsLinesAndBytes) {
    const auto folder = freshFolder(u"icon-own");
    const std::string theirs = "[.ShellClassInfo]\r\nIconFile=mine.ico\r\nIconIndex=0\r\n";
    {
        auto file = files.createNew(folder + u"Desktop.ini");
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->write(theirs));
    }
    ASSERT_EQ(apply(folder, sky).icon, FolderIcon::keptOwn);
    EXPECT_EQ(profileString(folder + u"Desktop.ini", L"IconFile"), L"mine.ico");
    EXPECT_EQ(namesIn(folder), std::set<std::wstring>{L"Desktop.ini"});
    ASSERT_EQ(customisation::removeCustomisation(disk, folder),
              customisation::RemoveResult::rewritten);
    EXPECT_EQ(files.read(folder + u"Desktop.ini", 1 << 20).bytes, theirs);
}

}  // namespace
