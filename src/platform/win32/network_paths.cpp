#include "platform/win32/network_paths.h"

#include <vector>

#include "platform/ascii.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Text work alone (no file is opened): a relative path is joined to the
// current folder, which may itself be on a share.
std::u16string wholePath(const std::u16string& path) {
    const DWORD size = ::GetFullPathNameW(wide(path), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::vector<wchar_t> whole(size);
    const DWORD length = ::GetFullPathNameW(wide(path), size, whole.data(), nullptr);
    if (length == 0 || length >= size) return path;
    return fromWide({whole.data(), length});
}

}  // namespace

bool isOnNetwork(const std::u16string& path,
                 const std::function<UINT(const wchar_t* root)>& driveType) {
    std::u16string_view rest = path;
    // \\?\C:\... is a local path in its long form; any other \\ path is not.
    if (rest.size() >= 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
        const bool longLocal = rest.size() >= 6 && rest[2] == u'?' && isSeparator(rest[3]) &&
                               platform::ascii::startsWithDrive(rest.substr(4));
        if (!longLocal) return true;
        rest.remove_prefix(4);
    }
    if (!platform::ascii::startsWithDrive(rest)) return false;
    // The type of a drive's root comes from the system's table of drive
    // letters, not from the server behind a network drive.
    const wchar_t root[] = {static_cast<wchar_t>(rest[0]), L':', L'\\', L'\0'};
    return driveType(root) == DRIVE_REMOTE;
}

bool isOnNetwork(const std::u16string& path) {
    return isOnNetwork(path, [](const wchar_t* root) { return ::GetDriveTypeW(root); });
}

bool NetworkPaths::isOnNetwork(const std::u16string& path) const {
    return win32::isOnNetwork(wholePath(path));
}

}  // namespace win32
