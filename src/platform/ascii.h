#pragma once

#include <string_view>
#include <type_traits>

// ASCII character classes for what Windows itself reads only in ASCII: drive
// letters, switch names, hexadecimal digits, the file's own key names. The
// letters of other scripts are left as they are.
namespace platform::ascii {

template <typename Char>
constexpr bool isLetter(Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z'));
}

template <typename Char>
constexpr Char toLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

template <typename Char>
constexpr Char toUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

// The digit's value, or -1 for what is no hexadecimal digit.
constexpr int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Text all in ASCII, which every ANSI code page Windows has reads as itself,
// the double-byte ones included (their trail bytes follow a lead byte above
// 0x7F).
template <typename Char>
constexpr bool isAllAscii(std::basic_string_view<Char> text) {
    for (Char c : text) {
        if (static_cast<std::make_unsigned_t<Char>>(c) >= 0x80) return false;
    }
    return true;
}

// "C:" and whatever follows it.
constexpr bool startsWithDrive(std::u16string_view path) {
    return path.size() >= 2 && isLetter(path[0]) && path[1] == u':';
}

}  // namespace platform::ascii
