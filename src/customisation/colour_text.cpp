#include "customisation/colour_text.h"

#include "customisation/input_checks.h"
#include "customisation/text_to_number.h"
#include "platform/ascii.h"

namespace customisation {
namespace {

std::optional<std::int32_t> webColour(std::u16string_view text) {
    if (text.size() != 7 || text[0] != u'#') return std::nullopt;
    std::int32_t rgb = 0;
    for (char16_t c : text.substr(1)) {
        const int digit = platform::ascii::hexDigit(c);
        if (digit < 0) return std::nullopt;
        rgb = rgb * 16 + digit;
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

std::optional<std::int32_t> colourNumber(std::u16string_view text, char16_t decimalSeparator,
                                         WebForm web) {
    if (web == WebForm::accepted && text.starts_with(u'#')) return webColour(text);
    return textToNumber(text, decimalSeparator);
}

std::optional<std::u16string> rgbColourText(std::u16string_view text, char16_t decimalSeparator,
                                            WebForm web) {
    const auto number = colourNumber(text, decimalSeparator, web);
    if (!number || !isRgbColour(*number)) return std::nullopt;
    return decimalText(*number);
}

}  // namespace customisation
