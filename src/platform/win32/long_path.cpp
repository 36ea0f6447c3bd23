#include "platform/win32/long_path.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32 {

std::wstring longPath(const std::u16string& path) {
    std::wstring result = toWide(path);
    // Below this length every function takes the plain form; CreateDirectory
    // has the lowest limit.
    constexpr std::size_t plainLimit = 248;
    if (result.size() < plainLimit || result.starts_with(L"\\\\?\\")) return result;
    for (auto& c : result) {
        if (c == L'/') c = L'\\';
    }
    bool drive = result.size() >= 3 && result[1] == L':' && result[2] == L'\\';
    if (drive) return L"\\\\?\\" + result;
    if (result.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + result.substr(2);
    return result;
}

}  // namespace win32
