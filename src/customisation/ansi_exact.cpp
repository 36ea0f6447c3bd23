#include "customisation/ansi_exact.h"

#include <algorithm>
#include <type_traits>

namespace customisation {
namespace {

// ASCII reads as itself in every ANSI code page Windows has, the double-byte
// ones included (their trail bytes follow a lead byte above 0x7F): most
// lines need no round trip through the code page.
template <typename Char>
bool isAsciiWithoutNul(std::basic_string_view<Char> text) {
    return std::all_of(text.begin(), text.end(), [](Char c) {
        const auto unit = static_cast<std::make_unsigned_t<Char>>(c);
        return unit != 0 && unit < 0x80;
    });
}

}  // namespace

std::optional<std::u16string> exactAnsiText(std::string_view bytes,
                                            const platform::AnsiCodePage& codePage) {
    if (isAsciiWithoutNul(bytes)) return std::u16string(bytes.begin(), bytes.end());
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    auto text = codePage.decode(bytes);
    auto back = codePage.encodeExactly(text);
    if (!back || *back != bytes) return std::nullopt;
    return text;
}

std::optional<std::string> exactAnsiBytes(std::u16string_view text,
                                          const platform::AnsiCodePage& codePage) {
    if (isAsciiWithoutNul(text)) return std::string(text.begin(), text.end());
    if (text.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    auto bytes = codePage.encodeExactly(text);
    if (!bytes || codePage.decode(*bytes) != text) return std::nullopt;
    return bytes;
}

}  // namespace customisation
