#include <gtest/gtest.h>

#include "customisation/text_to_number.h"

namespace {

using customisation::textToNumber;

TEST(TextToNumber, ReadsNumbersAsTheLocaleWritesThem) {
    struct Case {
        std::u16string_view text;
        char16_t separator;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {u"0", u'.', 0},
        {u"16777215", u'.', 16777215},
        {u"  255\t", u'.', 255},
        {u"+12", u'.', 12},
        {u"-12", u'.', -12},
        {u"007", u'.', 7},
        {u"2.5", u'.', 2},
        {u"3.5", u'.', 4},
        {u"2.51", u'.', 3},
        {u"2.4999", u'.', 2},
        {u"-2.5", u'.', -2},
        {u"-3.5", u'.', -4},
        {u".5", u'.', 0},
        {u"1.", u'.', 1},
        {u"2,5", u',', 2},
        {u"2.5", u',', std::nullopt},  // not this locale's separator
        {u"&HFF", u'.', 255},
        {u"&hff", u'.', 255},
        {u"&H00FFFFFF", u'.', 16777215},
        {u"&HFFFFFFFF", u'.', -1},
        {u"&H100000000", u'.', std::nullopt},
        {u"&H", u'.', std::nullopt},
        {u"&HXY", u'.', std::nullopt},
        {u"2147483647", u'.', 2147483647},
        {u"2147483648", u'.', std::nullopt},
        {u"2147483647.5", u'.', std::nullopt},
        {u"-2147483648", u'.', INT32_MIN},
        {u"-2147483649", u'.', std::nullopt},
        {u"99999999999999999999", u'.', std::nullopt},
        {u"", u'.', std::nullopt},
        {u"   ", u'.', std::nullopt},
        {u"Text3", u'.', std::nullopt},
        {u"abc", u'.', std::nullopt},
        {u"0x10", u'.', std::nullopt},
        {u"12abc", u'.', std::nullopt},
        {u"1 2", u'.', std::nullopt},
        {u"255@مع ت", u'.', std::nullopt},
        {u"-", u'.', std::nullopt},
        {u".", u'.', std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(textToNumber(c.text, c.separator), c.expected);
    }
}

TEST(DecimalText, WritesPlainDigits) {
    EXPECT_EQ(customisation::decimalText(0), u"0");
    EXPECT_EQ(customisation::decimalText(16777215), u"16777215");
    EXPECT_EQ(customisation::decimalText(-1), u"-1");
}

}  // namespace
