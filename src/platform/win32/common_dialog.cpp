#include "platform/win32/shell_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace win32 {

void MessageDialog::show(std::u16string_view text, std::u16string_view title) {
    auto themed = themed_.activate();
    // Every message is Arabic: it reads right to left and sits at the right
    // edge, whatever the language of the Windows it runs on.
    box_(owner_, toWide(text).c_str(), toWide(title).c_str(), MB_OK | MB_RTLREADING | MB_RIGHT);
}

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

bool CommonDialogs::showOpen(platform::CommonDialogState& state) {
    com_.enter();
    auto themed = themed_.activate();
    // "description|patterns" becomes the dialog's double-NUL-ended pairs.
    std::wstring filter = toWide(state.filter);
    for (auto& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.append(2, L'\0');
    const std::wstring title = toWide(state.dialogTitle);

    std::vector<wchar_t> file(32768, L'\0');
    std::wstring initial = toWide(state.fileName);
    std::copy_n(initial.begin(), std::min(initial.size(), file.size() - 1), file.begin());

    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner_;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    // The program's current folder must not follow the user's browsing.
    request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    if (!::GetOpenFileNameW(&request)) return false;
    state.fileName = fromWide(file.data());
    return true;
}

namespace {

// The colour dialog has no title field: the caption is set once it opens.
UINT_PTR CALLBACK setColourDialogTitle(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* request = reinterpret_cast<CHOOSECOLORW*>(lParam);
        ::SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(request->lCustData));
    }
    return 0;
}

}  // namespace

bool CommonDialogs::showColor(platform::CommonDialogState& state) {
    auto themed = themed_.activate();
    const std::wstring title = toWide(state.dialogTitle);
    CHOOSECOLORW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner_;
    request.lpCustColors = customColours_;
    request.Flags = CC_ENABLEHOOK;
    request.lpfnHook = setColourDialogTitle;
    request.lCustData = reinterpret_cast<LPARAM>(title.c_str());
    if (!::ChooseColorW(&request)) return false;
    state.color = static_cast<std::int32_t>(request.rgbResult);
    return true;
}

char16_t NumberLocale::decimalSeparator() const {
    wchar_t separator[8]{};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) {
        return u'.';
    }
    return static_cast<char16_t>(separator[0]);
}

bool UrlLauncher::open(std::u16string_view url) {
    com_.enter();
    auto result =
        ::ShellExecuteW(nullptr, L"open", toWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace win32
