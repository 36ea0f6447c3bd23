// A Desktop.ini in the ANSI code page of any Windows, English or Arabic:
// applying keeps what every key of theirs means, and restoring gives back
// their file byte for byte.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "customisation/apply.h"
#include "customisation/ini_line.h"
#include "customisation/ini_text.h"
#include "customisation/remove.h"
#include "customisation/unicode.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "test_support.h"
#include "utf16_bytes.h"

namespace {

using customisation::RemoveResult;
using customisation::TextEncoding;
namespace attribute = platform::attribute;

using test_folder::folder;
using test_folder::iniPath;

const fakes::Cp1252 western;
const fakes::Cp1256 arabic;
const fakes::Cp65001 utf8;

std::string encoded(const platform::AnsiCodePage& codePage, std::u16string_view text) {
    return codePage.encodeExactly(text).value();
}

// What the system's INI reader gives for each key: the first section of a
// name and the first key of a name in it count.
using Values = std::map<std::pair<std::u16string, std::u16string>, std::u16string>;

// Windows' INI reader takes a file for Unicode only by the UTF-16 LE
// byte-order mark; a UTF-8 or UTF-16 BE one it reads as ANSI, mark and all
// (GetPrivateProfileString's documentation; Wine reads all three).
std::u16string asWindowsReads(const std::string& bytes, const platform::AnsiCodePage& codePage) {
    if (bytes.starts_with("\xFF\xFE")) return customisation::decodeUtf16(bytes.substr(2), false);
    return codePage.decode(bytes);
}

std::string inEncoding(TextEncoding encoding, const platform::AnsiCodePage& codePage,
                       std::u16string_view text) {
    switch (encoding) {
        case TextEncoding::utf8:
            return "\xEF\xBB\xBF" + customisation::encodeUtf8(text).value();
        case TextEncoding::utf16be:
            return "\xFE\xFF" + customisation::encodeUtf16(text, true);
        case TextEncoding::utf16le:
            return "\xFF\xFE" + customisation::encodeUtf16(text, false);
        case TextEncoding::ansi:
            break;
    }
    return encoded(codePage, text);
}

std::u16string lowered(std::u16string_view text) {
    std::u16string lower(text);
    for (auto& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
}

Values valuesOf(std::u16string_view text) {
    Values values;
    std::optional<std::u16string> section;
    std::map<std::u16string, bool> seenSection;
    bool counts = false;
    for (const auto& line : customisation::splitLines(text)) {
        if (auto name = customisation::sectionName(line)) {
            section = lowered(*name);
            counts = !seenSection[*section];
            seenSection[*section] = true;
        } else if (auto key = customisation::keyName(line); key && section && counts) {
            values.emplace(std::pair{*section, lowered(*key)}, customisation::keyValue(line));
        }
    }
    return values;
}

struct Case {
    const char* name;
    const platform::AnsiCodePage& codePage;
    std::u16string theirs;  // their file's text
    std::u16string picture;
    bool becomesUtf16;
    std::uint32_t attributes;
    TextEncoding encoding = TextEncoding::ansi;  // their file's
};

TEST(AnyCodePage, ApplyKeepsTheirValuesAndRestoreTheirBytes) {
    // As Explorer's Customize tab leaves it, with a text of the person's.
    const std::u16string western_file =
        u"[.ShellClassInfo]\r\nIconResource=C:\\Windows\\system32\\SHELL32.dll,4\r\n"
        u"InfoTip=Photos d'été – Noël\r\n[ViewState]\r\nMode=\r\nFolderType=Pictures\r\n";
    const std::u16string arabic_file =
        u"[.ShellClassInfo]\r\nIconResource=C:\\أيقونات\\أزرق.ico,0\r\nInfoTip=صور الرحلة\r\n";
    const Case cases[] = {
        {"Western, Arabic lines of ours", western, western_file, u"C:\\Pictures\\sky.jpg", true,
         attribute::hidden | attribute::system},
        {"Western, read-only and visible", western, western_file, u"C:\\Pictures\\été.jpg", true,
         attribute::readOnly},
        {"Arabic, all in the code page", arabic, arabic_file, u"C:\\Pictures\\sky.jpg", false,
         attribute::hidden | attribute::system},
        // Read in another code page, an ANSI name would name another file.
        {"Arabic, an Arabic picture name", arabic, arabic_file, u"C:\\صور\\سماء.jpg", true,
         attribute::hidden | attribute::system},
        {"Arabic, a picture in the folder", arabic, arabic_file, u"C:\\Data\\خلفية.jpg", true,
         attribute::hidden},
        {"UTF-8 with its mark", arabic, arabic_file, u"C:\\Pictures\\sky.jpg", true,
         attribute::hidden, TextEncoding::utf8},
        {"UTF-16 BE with its mark", western, western_file, u"C:\\Pictures\\sky.jpg", true,
         attribute::normal, TextEncoding::utf16be},
        {"Arabic, a picture named outside it", arabic, arabic_file, u"C:\\चित्र\\sky.jpg", true,
         attribute::normal},
        // Where the ANSI code page is UTF-8, which takes none of the flags
        // that ask other code pages for an exact conversion.
        {"UTF-8 code page", utf8, arabic_file, u"C:\\Pictures\\sky.jpg", false,
         attribute::hidden | attribute::system},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FakeDisk disk;
        customisation::Disk on{disk, disk, c.codePage};
        disk.addFolder(folder);
        const std::string before = inEncoding(c.encoding, c.codePage, c.theirs);
        disk.addFile(iniPath, before, c.attributes);

        ASSERT_TRUE(customisation::applyCustomisation(on, folder, {c.picture, u"255"}));
        const std::string applied = disk.at(iniPath).bytes;
        EXPECT_EQ(applied.substr(0, 2) == "\xFF\xFE", c.becomesUtf16);
        // Values as Windows reads them, for the meaning they were written with.
        const auto after = valuesOf(asWindowsReads(applied, c.codePage));
        for (const auto& [key, value] : valuesOf(c.theirs)) {
            EXPECT_EQ(after.count(key) ? after.at(key) : u"(none)", value);
        }
        const std::u16string_view folderPrefix = u"C:\\Data\\";
        const std::u16string written = c.picture.starts_with(folderPrefix)
                                           ? u".\\" + c.picture.substr(folderPrefix.size())
                                           : c.picture;
        EXPECT_EQ(after.at({u"{be098140-a513-11d0-a3a4-00c04fd706ec}", u"iconarea_image"}),
                  written);
        EXPECT_EQ(disk.at(iniPath).attributes, c.attributes | attribute::hidden);

        // Applying again, as when the colour is changed, changes nothing else.
        ASSERT_TRUE(customisation::applyCustomisation(on, folder, {c.picture, u"255"}));
        EXPECT_EQ(disk.at(iniPath).bytes, applied);

        EXPECT_EQ(customisation::removeCustomisation(on, folder), RemoveResult::rewritten);
        EXPECT_EQ(disk.at(iniPath).bytes, before);
        EXPECT_EQ(disk.at(iniPath).attributes, c.attributes);
    }
}

// A picture named in plain ASCII puts the file back in ANSI.
TEST(AnyCodePage, AConvertedFileGoesBackToAnsiWhenEverythingFits) {
    fakes::FakeDisk disk;
    customisation::Disk on{disk, disk, arabic};
    disk.addFolder(folder);
    const std::string theirs = encoded(arabic, u"[.ShellClassInfo]\r\nInfoTip=صور\r\n");
    disk.addFile(iniPath, theirs, attribute::hidden);
    ASSERT_TRUE(customisation::applyCustomisation(on, folder, {u"C:\\चित्र.jpg", u"0"}));
    ASSERT_EQ(disk.at(iniPath).bytes.substr(0, 2), "\xFF\xFE");
    ASSERT_TRUE(customisation::applyCustomisation(on, folder, {u"C:\\sky.jpg", u"0"}));
    const std::string applied = disk.at(iniPath).bytes;
    EXPECT_NE(applied.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(applied.find("ansi"), std::string::npos);
    EXPECT_NE(applied.find(encoded(arabic, u"InfoTip=صور\r\n")), std::string::npos);
    EXPECT_EQ(customisation::removeCustomisation(on, folder), RemoveResult::rewritten);
    EXPECT_EQ(disk.at(iniPath).bytes, theirs);
}

// Only a file we converted goes back to ANSI: one that was UTF-16 all along
// stays so, though every line of it would fit the code page.
TEST(AnyCodePage, AFileThatWasUtf16StaysUtf16) {
    const std::string utf16 = "\xFF\xFE" + utf16le(u"[.ShellClassInfo]\r\nIconFile=a.ico\r\n");
    fakes::FakeDisk disk;
    customisation::Disk on{disk, disk, western};
    disk.addFolder(folder);
    disk.addFile(iniPath, utf16, attribute::hidden);
    ASSERT_TRUE(customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"}));
    EXPECT_EQ(customisation::removeCustomisation(on, folder), RemoveResult::rewritten);
    EXPECT_EQ(disk.at(iniPath).bytes, utf16);
}

// Restored where the code page no longer holds their text (the stick taken
// to another computer): the file stays UTF-16, every value as it was.
TEST(AnyCodePage, RestoredUnderAnotherCodePageKeepsTheirValues) {
    fakes::FakeDisk disk;
    disk.addFolder(folder);
    const std::u16string text = u"[.ShellClassInfo]\r\nInfoTip=Škoda\r\n";
    disk.addFile(iniPath, encoded(western, text), attribute::hidden);
    customisation::Disk inWestern{disk, disk, western};
    ASSERT_TRUE(customisation::applyCustomisation(inWestern, folder, {u"C:\\a.jpg", u"0"}));
    customisation::Disk inArabic{disk, disk, arabic};
    EXPECT_EQ(customisation::removeCustomisation(inArabic, folder), RemoveResult::rewritten);
    EXPECT_EQ(customisation::decodeIniFile(disk.at(iniPath).bytes, arabic), text);
}

}  // namespace
