#include "platform/win32/system_error_text.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32 {

std::u16string SystemErrorText::describe(std::uint32_t code) const {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || !text) return {};
    std::u16string described = fromWide({text, length});
    ::LocalFree(text);
    // The system's texts end with a line break, which a line of ours must not.
    while (!described.empty() &&
           (described.back() == u'\r' || described.back() == u'\n' || described.back() == u' ')) {
        described.pop_back();
    }
    return described;
}

}  // namespace win32
