#pragma once

// Text as the bytes of a UTF-16 file, without a byte-order mark, for building
// file contents.
#include <string>
#include <string_view>

inline std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

inline std::string utf16be(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) bytes += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return bytes;
}
