#include "platform/win32/common_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {

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

}  // namespace win32
