#include "platform/win32/folder_browser.h"

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace win32 {

std::u16string FolderBrowser::browse(platform::WindowHandle owner, std::u16string_view title) {
    com_.enter();
    auto themed = themed_.activate();
    const std::wstring titleText = toWide(title);
    BROWSEINFOW request{};
    request.hwndOwner = reinterpret_cast<HWND>(owner);
    request.lpszTitle = titleText.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;

    struct FreeItem {
        void operator()(ITEMIDLIST* item) const { ::CoTaskMemFree(item); }
    };
    std::unique_ptr<ITEMIDLIST, FreeItem> item(::SHBrowseForFolderW(&request));
    if (!item) return {};

    // Long enough for any path the file system allows; before Vista the
    // shell gives at most MAX_PATH characters.
    std::vector<wchar_t> path(32768, L'\0');
    win32::NewerFunction<BOOL(PCIDLIST_ABSOLUTE, PWSTR, DWORD, int)> longPathOf(
        L"shell32.dll", "SHGetPathFromIDListEx");
    if (!longPathOf || !longPathOf(item.get(), path.data(), static_cast<DWORD>(path.size()), 0)) {
        std::fill(path.begin(), path.end(), L'\0');
        if (!::SHGetPathFromIDListW(item.get(), path.data())) return {};
    }
    return fromWide(path.data());
}

}  // namespace win32
