#include "platform/win32/ansi_code_page.h"

#include <windows.h>

#include <climits>

namespace win32 {

std::optional<std::string> AnsiCodePage::encodeExactly(std::u16string_view text) const {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX / 4) return std::nullopt;
    auto source = reinterpret_cast<const wchar_t*>(text.data());
    auto length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, source, length, nullptr, 0,
                                     nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, source, length, bytes.data(), size, nullptr,
                          &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

std::u16string AnsiCodePage::decode(std::string_view bytes) const {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    auto length = static_cast<int>(bytes.size());
    int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                          size);
    return text;
}

}  // namespace win32
