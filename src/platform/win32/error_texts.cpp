#include "platform/win32/error_texts.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32 {

std::u16string ErrorTexts::describe(platform::SystemError error) const {
    wchar_t text[512];
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         0, text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring_view message(text, length);
    // The system ends its messages with a line break.
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.remove_suffix(1);
    }
    return fromWide(message);
}

}  // namespace win32
