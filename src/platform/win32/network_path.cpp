#include "platform/win32/network_path.h"

#include <windows.h>

namespace win32 {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool isDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

}  // namespace

bool isOnNetwork(const std::u16string& path) {
    std::u16string_view rest = path;
    // \\?\C:\... is a local path in its long form; any other \\ path is not.
    if (rest.size() >= 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
        const bool longLocal = rest.size() >= 6 && rest[2] == u'?' && isSeparator(rest[3]) &&
                               isDriveLetter(rest[4]) && rest[5] == u':';
        if (!longLocal) return true;
        rest.remove_prefix(4);
    }
    if (rest.size() < 2 || !isDriveLetter(rest[0]) || rest[1] != u':') return false;
    const wchar_t root[] = {static_cast<wchar_t>(rest[0]), L':', L'\\', L'\0'};
    return ::GetDriveTypeW(root) == DRIVE_REMOTE;
}

}  // namespace win32
