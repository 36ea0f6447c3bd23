#include <gtest/gtest.h>

#include "customisation/ansi_exact.h"
#include "customisation/ini_text.h"
#include "fake_code_page.h"

namespace {

using customisation::decodeIniFile;
using customisation::encodeIniFile;
using customisation::splitLines;

TEST(IniText, LinesEndAtCrLfLfOrCr) {
    using Lines = std::vector<std::u16string>;
    EXPECT_EQ(splitLines(u"a\r\nb\nc\rd"), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(splitLines(u"a\r\n"), (Lines{u"a"}));
    EXPECT_EQ(splitLines(u"a\r\n\r\n"), (Lines{u"a", u""}));
    EXPECT_EQ(splitLines(u"\n\r"), (Lines{u"", u""}));
    EXPECT_EQ(splitLines(u""), Lines{});
}

TEST(IniText, DecodesByTheByteOrderMark) {
    fakes::Cp1256 codePage;
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"\xD5\xE6\xD1\xC9", u"صورة"},
        {std::string("\xFF\xFE\x35\x06", 4), u"ص"},
        {std::string("\xFE\xFF\x06\x35", 4), u"ص"},
        {std::string("\xFF\xFE\x35\x06\x41", 5), u"ص"},  // a dangling odd byte
        {"\xEF\xBB\xBF\xD8\xB5", u"ص"},
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xEF\xBB\xBF\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong
        {"\xEF\xBB\xBF\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
        {"\xEF\xBB\xBF\xD8", u"\uFFFD"},                      // cut short
        {"\xFF\xFE", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeIniFile(c.bytes, codePage), c.text);
}

// Text whose ANSI bytes begin like a byte-order mark goes out as UTF-16, or
// it would be read back as something else entirely.
TEST(IniText, NeverWritesAnsiThatLooksLikeAByteOrderMark) {
    fakes::Cp1256 codePage;
    const std::u16string starts[] = {u"\u200F\u06D2a=b", u"\u06D2\u200Fa=b",
                                     u"\u00EF\u00BB\u061Fa=b"};
    for (const auto& start : starts) {
        const std::vector<std::u16string> lines{start, u"[S]"};
        const std::string bytes = encodeIniFile(lines, codePage, true);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(splitLines(decodeIniFile(bytes, codePage)), lines);
    }
    EXPECT_EQ(encodeIniFile({u"a=b"}, codePage, true), "a=b\r\n");
}

// Bytes kept as they were must read as their text, and a text written as
// bytes must read back as itself; plain ASCII takes a shorter way that must
// agree, NUL included.
TEST(IniText, ExactAnsiGoesBothWaysOrNotAtAll) {
    using namespace std::string_literals;
    fakes::Cp1256 codePage;
    struct Case {
        std::string bytes;
        std::u16string text;
        bool exact;
    };
    const Case cases[] = {
        {"IconArea_Text=0", u"IconArea_Text=0", true},
        {"\xD5\xE6\xD1\xC9=1", u"صورة=1", true},
        {"a\0b"s, u"a\0b"s, false},
        {"\xD5\0"s, u"ص\0"s, false},
        {"", u"", true},
    };
    for (const auto& c : cases) {
        const auto text = customisation::exactAnsiText(c.bytes, codePage);
        const auto bytes = customisation::exactAnsiBytes(c.text, codePage);
        EXPECT_EQ(text, c.exact ? std::optional(c.text) : std::nullopt);
        EXPECT_EQ(bytes, c.exact ? std::optional(c.bytes) : std::nullopt);
    }
    EXPECT_EQ(customisation::exactAnsiBytes(u"海=1", codePage), std::nullopt);
}

}  // namespace
