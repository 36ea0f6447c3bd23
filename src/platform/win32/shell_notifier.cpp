#include "platform/win32/shell_notifier.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/wide_text.h"

namespace win32 {

// A folder whose Desktop.ini changed: the folder itself was updated, and its
// attributes changed with it. The shell reads the file again and redraws an
// open window of the folder. Without waiting for the shell to take it in: a
// command over many folders must not stall on a busy Explorer.
void ShellNotifier::folderChanged(const std::u16string& folder) {
    std::u16string path = folder;
    // The shell names a folder without the backslash, a drive root with it.
    if (path.size() > 3 && path.back() == u'\\') path.pop_back();
    constexpr UINT flags = SHCNF_PATHW | SHCNF_FLUSHNOWAIT;
    ::SHChangeNotify(SHCNE_UPDATEITEM, flags, wide(path), nullptr);
    ::SHChangeNotify(SHCNE_ATTRIBUTES, flags, wide(path), nullptr);
}

}  // namespace win32
