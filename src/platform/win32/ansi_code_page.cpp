#include "platform/win32/ansi_code_page.h"

#include <windows.h>

#include <climits>

namespace win32 {

static_assert(platform::conversion_flag::noBestFitChars == WC_NO_BEST_FIT_CHARS);

unsigned CodePageConversion::ansiCodePage() const { return ::GetACP(); }

std::optional<std::string> CodePageConversion::toBytes(unsigned codePage, std::uint32_t flags,
                                                       std::u16string_view text,
                                                       bool* usedDefault) const {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX / 4) return std::nullopt;
    auto source = reinterpret_cast<const wchar_t*>(text.data());
    auto length = static_cast<int>(text.size());
    BOOL defaultUsed = FALSE;
    BOOL* asked = usedDefault ? &defaultUsed : nullptr;
    int size = ::WideCharToMultiByte(codePage, flags, source, length, nullptr, 0, nullptr, asked);
    if (size <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    size =
        ::WideCharToMultiByte(codePage, flags, source, length, bytes.data(), size, nullptr, asked);
    if (size <= 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(size));
    if (usedDefault) *usedDefault = defaultUsed != FALSE;
    return bytes;
}

std::u16string CodePageConversion::toText(unsigned codePage, std::string_view bytes) const {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    auto length = static_cast<int>(bytes.size());
    int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    size = ::MultiByteToWideChar(codePage, 0, bytes.data(), length,
                                 reinterpret_cast<wchar_t*>(text.data()), size);
    text.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    return text;
}

std::optional<std::string> AnsiCodePage::encodeExactly(std::u16string_view text) const {
    return platform::encodeExactlyInAnsi(conversion_, text);
}

std::u16string AnsiCodePage::decode(std::string_view bytes) const {
    return conversion_.toText(conversion_.ansiCodePage(), bytes);
}

}  // namespace win32
