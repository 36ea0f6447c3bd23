// An ANSI Desktop.ini of another program under the system's own code page,
// whatever it is (this test runs under 1256 and again under 1252): the
// system's INI reader gives the same values after apply, and restore gives
// back the file's bytes and attributes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "attributes_on_wine.h"
#include "customisation/apply.h"
#include "customisation/remove.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/wide_text.h"
#include "profile_value.h"
#include "test_environment.h"

namespace {

TEST(CodePageOnDisk, ApplyKeepsTheirValuesAndRestoreTheirBytes) {
    if (const char* expected = std::getenv("FOLDERBACKGROUND_EXPECTED_ACP")) {
        ASSERT_EQ(::GetACP(), static_cast<UINT>(std::atoi(expected)));
    }
    const bool arabic = ::GetACP() == 1256;
    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    customisation::Disk disk{files, attributes, codePage};

    // As Explorer's Customize tab leaves it, with a tip the person typed.
    const std::u16string tip = arabic ? u"صور الرحلة" : u"Photos d'été – Noël";
    const auto bytes = codePage.encodeExactly(
        u"[.ShellClassInfo]\r\nIconResource=C:\\Windows\\system32\\SHELL32.dll,4\r\nInfoTip=" +
        tip + u"\r\n[ViewState]\r\nFolderType=Pictures\r\n");
    ASSERT_TRUE(bytes);
    const std::u16string folder =
        freshFolder(u"code-page-" + std::u16string(arabic ? u"1256" : u"1252"));
    const std::u16string ini = folder + u"Desktop.ini";
    {
        auto file = files.createNew(ini);
        ASSERT_TRUE(file && file->write(*bytes));
    }
    const DWORD theirAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(::SetFileAttributesW(win32::wide(ini), theirAttributes));

    const std::vector<std::pair<const wchar_t*, const wchar_t*>> keys{
        {L".ShellClassInfo", L"IconResource"},
        {L".ShellClassInfo", L"InfoTip"},
        {L"ViewState", L"FolderType"}};
    std::vector<std::u16string> before;
    for (auto [section, key] : keys) before.push_back(profileValue(ini, section, key));
    ASSERT_EQ(before[1], tip);

    const std::u16string picture = u"C:\\Pictures\\sky.jpg";
    ASSERT_TRUE(customisation::applyCustomisation(disk, folder, {picture, u"255"}));
    auto applied = files.read(ini, 1 << 20);
    // Only where the code page cannot hold our Arabic lines does it change.
    EXPECT_EQ(applied.bytes.substr(0, 2) == "\xFF\xFE", !arabic);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(profileValue(ini, keys[i].first, keys[i].second), before[i]);
    }
    EXPECT_EQ(profileValue(ini, L"{BE098140-A513-11D0-A3A4-00C04FD706EC}", L"IconArea_Image"),
              picture);
    EXPECT_EQ(attributesOf(ini), theirAttributes);

    EXPECT_EQ(customisation::removeCustomisation(disk, folder),
              customisation::RemoveResult::rewritten);
    EXPECT_EQ(files.read(ini, 1 << 20).bytes, *bytes);
    EXPECT_EQ(attributesOf(ini), theirAttributes);
}

}  // namespace
