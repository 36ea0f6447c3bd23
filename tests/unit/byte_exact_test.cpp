// Everything in a Desktop.ini that is not ours goes back byte for byte, and
// a file that could not be put back so is left alone.
#include <gtest/gtest.h>

#include "customisation/apply.h"
#include "customisation/remove.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "test_support.h"
#include "utf16_bytes.h"

namespace {

using customisation::RemoveResult;
namespace attribute = platform::attribute;

using test_folder::folder;
using test_folder::iniPath;

// A double-byte code page in miniature: 0x81 to 0x9F lead a pair whose
// second byte is 0x40 or above; a lead without one decodes to "?", as the
// system's conversion does.
class DoubleByte : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override {
        std::string bytes;
        for (char16_t c : text) {
            if (c < 0x80) {
                bytes += static_cast<char>(c);
            } else if (c >= 0x4E00 && c < 0x4E00 + 31 * 256) {
                bytes += static_cast<char>(0x81 + (c - 0x4E00) / 256);
                bytes += static_cast<char>((c - 0x4E00) % 256);
            } else {
                return std::nullopt;
            }
        }
        return bytes;
    }
    std::u16string decode(std::string_view bytes) const override {
        std::u16string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            auto b = static_cast<unsigned char>(bytes[i]);
            auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            if (b >= 0x81 && b <= 0x9F && next >= 0x40) {
                text += static_cast<char16_t>(0x4E00 + (b - 0x81) * 256 + next);
                ++i;
            } else {
                text += b < 0x80 ? char16_t{b} : u'?';
            }
        }
        return text;
    }
};

struct Outcome {
    bool applied;
    std::string afterApply;
    RemoveResult removed;
    std::optional<std::string> afterRestore;
};

Outcome applyThenRestore(const std::string& old, const platform::AnsiCodePage& codePage) {
    fakes::FakeDisk disk;
    customisation::Disk on{disk, disk, codePage};
    disk.addFolder(folder, attribute::hidden);
    disk.addFile(iniPath, old, attribute::hidden | attribute::system);
    Outcome outcome;
    outcome.applied = customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"255"});
    outcome.afterApply = disk.at(iniPath).bytes;
    EXPECT_EQ(disk.files().size(), 1u);
    outcome.removed = customisation::removeCustomisation(on, folder);
    if (disk.exists(iniPath)) outcome.afterRestore = disk.at(iniPath).bytes;
    if (!outcome.applied) {
        EXPECT_EQ(disk.at(iniPath).attributes, attribute::hidden | attribute::system);
        EXPECT_EQ(disk.at(folder).attributes, attribute::hidden | attribute::directory);
    }
    return outcome;
}

TEST(ByteExact, FilesThatCannotBePutBackAreLeftAlone) {
    const fakes::Cp1256 cp1256Page;
    const DoubleByte doubleByte;
    struct Case {
        const char* name;
        std::string bytes;
        const platform::AnsiCodePage& codePage;
    };
    const Case cases[] = {
        {"UTF-16 without its mark", utf16le(u"[.ShellClassInfo]\r\nIconResource=a.ico\r\n"),
         cp1256Page},
        {"UTF-16 with an odd byte at the end", "\xFF\xFE" + utf16le(u"[A]\r\nk=v\r\n") + "x",
         cp1256Page},
        {"invalid UTF-8 after its mark", "\xEF\xBB\xBF[A]\r\nk=\xC3(\r\n", cp1256Page},
        {"a NUL in an ANSI file", std::string("[A]\r\nk=v\0w\r\n", 12), cp1256Page},
        {"a lead byte without its second", "[A]\r\nk=\x81\r\nx=\x85\x41\r\n", doubleByte},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = applyThenRestore(c.bytes, c.codePage);
        EXPECT_FALSE(outcome.applied);
        EXPECT_EQ(outcome.afterApply, c.bytes);
        EXPECT_EQ(outcome.removed, RemoveResult::failed);
        EXPECT_EQ(outcome.afterRestore, c.bytes);
    }
}

TEST(ByteExact, ApplyThenRestoreGivesBackTheSameBytes) {
    const fakes::Cp1256 codePage;
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"mixed line ends", "[A]\nk=v\r\r\n  x = y \t\n[.ShellClassInfo]\rIconFile=a.ico\n"},
        {"no line end at the end", "[.ShellClassInfo]\r\nIconFile=a.ico"},
        {"blank lines only before a section", "\r\n\r\n\n[Other]\r\nk=v\r\n"},
        {"UTF-16 big-endian", "\xFE\xFF" + std::string("\0[\0A\0]\0\r\0\n\0k\0=\xD8\x3D", 16)},
        {"UTF-16 with a lone surrogate",
         "\xFF\xFE" + utf16le(u"[A]\r\nk=") + std::string("\x00\xD8", 2) + utf16le(u"\r\n")},
        {"UTF-8 with a mark", "\xEF\xBB\xBF[A]\r\nk=\xD8\xB5\xF0\x9F\x8C\x8A\r\n"},
        {"ANSI in code page 1256", cp1256(u"[الصور]\r\nمكان=البحر\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = applyThenRestore(c.bytes, codePage);
        EXPECT_TRUE(outcome.applied);
        EXPECT_EQ(outcome.removed, RemoveResult::rewritten);
        EXPECT_EQ(outcome.afterRestore, c.bytes);
    }
}

}  // namespace
