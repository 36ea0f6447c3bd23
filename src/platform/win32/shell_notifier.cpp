#include "platform/win32/shell_notifier.h"

#include "platform/win32/wide_text.h"

namespace win32 {

UniqueIdList ShellNotifier::idOf(const std::wstring& folder) {
    const auto slash = folder.find_last_of(L'\\');
    // A drive root, a share or a bare name: no place above it worth keeping.
    if (slash == std::wstring::npos || slash < 2 || slash + 1 == folder.size()) return {};
    std::wstring parentPath = folder.substr(0, slash);
    if (parentPath.size() == 2 && parentPath[1] == L':') parentPath += L'\\';

    com_.enter();
    if (parentPath != parentPath_ || !parent_) {
        parent_.Reset();
        parentId_.reset(::ILCreateFromPathW(parentPath.c_str()));
        parentPath_ = parentPath;
        ComPtr<IShellFolder> desktop;
        if (!parentId_ || FAILED(::SHGetDesktopFolder(&desktop)) ||
            FAILED(desktop->BindToObject(parentId_.get(), nullptr, IID_PPV_ARGS(&parent_)))) {
            parent_.Reset();
            return {};
        }
    }
    std::wstring name = folder.substr(slash + 1);
    PIDLIST_RELATIVE child = nullptr;
    if (FAILED(
            parent_->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &child, nullptr))) {
        return {};
    }
    UniqueIdList id(::ILCombine(parentId_.get(), child));
    ::CoTaskMemFree(child);
    return id;
}

void ShellNotifier::notify(std::initializer_list<LONG> events, const std::u16string& folder) {
    std::wstring path = toWide(folder);
    // The shell names a folder without the backslash, a drive root with it.
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    const auto id = idOf(path);
    for (LONG event : events) {
        if (id) {
            ::SHChangeNotify(event, SHCNF_IDLIST | SHCNF_FLUSHNOWAIT, id.get(), nullptr);
        } else {
            ::SHChangeNotify(event, SHCNF_PATHW | SHCNF_FLUSHNOWAIT, path.c_str(), nullptr);
        }
    }
}

// A folder whose Desktop.ini changed: the folder itself was updated, and its
// attributes changed with it. The shell reads the file again and redraws an
// open window of the folder. Without waiting for the shell to take it in: a
// command over many folders must not stall on a busy Explorer.
void ShellNotifier::folderChanged(const std::u16string& folder) {
    notify({SHCNE_UPDATEITEM, SHCNE_ATTRIBUTES}, folder);
}

// Our icon file came or went: an open window of the folder lists it again.
void ShellNotifier::folderContentsChanged(const std::u16string& folder) {
    notify({SHCNE_UPDATEDIR}, folder);
}

}  // namespace win32
