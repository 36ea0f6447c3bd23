#include "customisation/ansi_exact.h"

#include "platform/ascii.h"

namespace customisation {

std::optional<std::u16string> exactAnsiText(std::string_view bytes,
                                            const platform::AnsiCodePage& codePage) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    // Most lines need no round trip through the code page.
    if (platform::ascii::isAllAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
    auto text = codePage.decode(bytes);
    auto back = codePage.encodeExactly(text);
    if (!back || *back != bytes) return std::nullopt;
    return text;
}

std::optional<std::string> exactAnsiBytes(std::u16string_view text,
                                          const platform::AnsiCodePage& codePage) {
    if (text.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    if (platform::ascii::isAllAscii(text)) return std::string(text.begin(), text.end());
    auto bytes = codePage.encodeExactly(text);
    if (!bytes || codePage.decode(*bytes) != text) return std::nullopt;
    return bytes;
}

}  // namespace customisation
