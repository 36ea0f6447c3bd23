#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace customisation {

// Web pages write a colour as #RRGGBB; the colour box and a folder's file
// never did.
enum class WebForm { refused, accepted };

// The colour box's text for a folder whose file names no colour: black.
inline constexpr std::u16string_view noColourText = u"0";

// The colour box's text as a number (see textToNumber), or #RRGGBB turned
// into 0x00BBGGRR where the web form is accepted. Any number: the controls
// take system colours too.
std::optional<std::int32_t> colourNumber(std::u16string_view text, char16_t decimalSeparator,
                                         WebForm web);

// The colour as the file holds it, in decimal digits; nothing for a text
// that is no RGB colour.
std::optional<std::u16string> rgbColourText(std::u16string_view text, char16_t decimalSeparator,
                                            WebForm web);

}  // namespace customisation
