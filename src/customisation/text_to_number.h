#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace customisation {

// Reads a whole number the way the user's locale writes it: decimal digits
// with blanks around them and an optional sign, a fraction after the locale's
// decimal separator rounded to the nearest whole number (a half to the even
// one), or hexadecimal after "&H". Nothing for anything else, and for numbers
// outside the signed 32-bit range.
std::optional<std::int32_t> textToNumber(std::u16string_view text, char16_t decimalSeparator);

// The number in decimal digits, with a minus sign only when negative.
std::u16string decimalText(std::int32_t number);

}  // namespace customisation
