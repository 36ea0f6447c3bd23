#pragma once

#include <string>
#include <string_view>

namespace win32 {

// On Windows wchar_t is a UTF-16 unit, so portable UTF-16 text passes to the
// W functions as it is.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::wstring toWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string fromWide(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace win32
