#include "platform/win32/shell_notifier.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/wide_text.h"

namespace win32 {

// A folder whose Desktop.ini changed: the folder itself was updated, and its
// attributes changed with it. The shell reads the file again and redraws an
// open window of the folder. Without waiting for the shell to take it in: a
// command over many folders must not stall on a busy Explorer.
namespace {

constexpr UINT flags = SHCNF_PATHW | SHCNF_FLUSHNOWAIT;

// The shell names a folder without the backslash, a drive root with it.
std::u16string shellPath(const std::u16string& folder) {
    std::u16string path = folder;
    if (path.size() > 3 && path.back() == u'\\') path.pop_back();
    return path;
}

}  // namespace

void ShellNotifier::folderChanged(const std::u16string& folder) {
    const std::u16string path = shellPath(folder);
    ::SHChangeNotify(SHCNE_UPDATEITEM, flags, wide(path), nullptr);
    ::SHChangeNotify(SHCNE_ATTRIBUTES, flags, wide(path), nullptr);
}

// Our icon file came or went: an open window of the folder lists it again.
void ShellNotifier::folderContentsChanged(const std::u16string& folder) {
    ::SHChangeNotify(SHCNE_UPDATEDIR, flags, wide(shellPath(folder)), nullptr);
}

}  // namespace win32
