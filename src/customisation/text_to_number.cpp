#include "customisation/text_to_number.h"

#include "platform/ascii.h"

namespace customisation {
namespace {

constexpr std::int64_t beyondRange = std::int64_t{1} << 33;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// "&H" numbers are 32-bit patterns: &HFFFFFFFF is -1.
std::optional<std::int32_t> hexadecimal(std::u16string_view digits) {
    while (!digits.empty() && digits.front() == u'0') digits.remove_prefix(1);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char16_t c : digits) {
        int digit = platform::ascii::hexDigit(c);
        if (digit < 0) return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> textToNumber(std::u16string_view text, char16_t decimalSeparator) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    if (text.size() > 2 && text[0] == u'&' && (text[1] == u'H' || text[1] == u'h')) {
        return hexadecimal(text.substr(2));
    }

    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }

    std::int64_t whole = 0;
    std::size_t i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - u'0');
        if (whole > beyondRange) whole = beyondRange;
    }
    bool anyDigit = i > 0;

    // The fraction decides only the rounding: above a half, exactly a half,
    // or below.
    int roundUp = 0;
    if (i < text.size() && text[i] == decimalSeparator) {
        ++i;
        std::size_t first = i;
        for (; i < text.size() && isDigit(text[i]); ++i) {
        }
        std::u16string_view fraction = text.substr(first, i - first);
        anyDigit = anyDigit || !fraction.empty();
        if (!fraction.empty()) {
            bool restZero = fraction.find_first_not_of(u'0', 1) == std::u16string_view::npos;
            if (fraction[0] > u'5' || (fraction[0] == u'5' && !restZero)) {
                roundUp = 1;
            } else if (fraction[0] == u'5') {
                roundUp = static_cast<int>(whole % 2);
            }
        }
    }
    if (!anyDigit || i != text.size()) return std::nullopt;

    std::int64_t value = (whole + roundUp) * (negative ? -1 : 1);
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::u16string decimalText(std::int32_t number) {
    std::u16string digits;
    for (char c : std::to_string(number)) digits += static_cast<char16_t>(c);
    return digits;
}

}  // namespace customisation
