#include "platform/win32/long_path.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string_view>

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); });
}

bool isDevicePath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path.starts_with(L"\\\\.\\") || path.starts_with(L"\\??\\") ||
           startsWithIgnoringCase(path, L"\\\\?\\GLOBALROOT");
}

}  // namespace

std::wstring longPath(const std::u16string& path) {
    std::wstring given = toWide(path);
    if (isDevicePath(given)) return {};
    // Already whole: the system takes it exactly as it stands.
    if (given.starts_with(L"\\\\?\\")) return given;

    // Long paths do not resolve "." and "..": make the path whole first.
    const DWORD size = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return {};
    full.resize(length);
    if (isDevicePath(full)) return {};
    if (full.starts_with(L"\\\\?\\")) return full;

    // Below this length every function takes the plain form; CreateDirectory
    // has the lowest limit.
    constexpr std::size_t plainLimit = 248;
    if (full.size() < plainLimit) return full;
    const bool drive = full.size() >= 3 && full[1] == L':' && full[2] == L'\\';
    if (drive) return L"\\\\?\\" + full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return {};
}

}  // namespace win32
