#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace customisation {

// The checks the apply command makes of its input, wherever it comes from:
// the window's boxes or a command line.

// A control character in the picture path would start a new line of the
// file and so forge keys of its own.
inline bool isSafePicturePath(std::u16string_view path) {
    return !path.empty() &&
           std::none_of(path.begin(), path.end(), [](char16_t c) { return c < u' '; });
}

// A colour as the colour dialog gives it: 0x00BBGGRR.
inline bool isRgbColour(std::int32_t number) { return number >= 0 && number <= 0xFFFFFF; }

}  // namespace customisation
