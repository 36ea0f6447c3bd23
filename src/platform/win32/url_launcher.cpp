#include "platform/win32/url_launcher.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace win32 {

bool UrlLauncher::open(std::u16string_view url) {
    com_.enter();
    auto result =
        ::ShellExecuteW(nullptr, L"open", toWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace win32
