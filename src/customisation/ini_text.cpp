#include "customisation/ini_text.h"

#include "customisation/ansi_exact.h"
#include "customisation/unicode.h"

namespace customisation {

std::u16string decodeIniFile(std::string_view bytes, const platform::AnsiCodePage& codePage) {
    if (bytes.starts_with("\xFF\xFE")) return decodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return decodeUtf16(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) return decodeUtf8(bytes.substr(3));
    return codePage.decode(bytes);
}

std::vector<std::u16string> splitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string encodeIniFile(const std::vector<std::u16string>& lines,
                          const platform::AnsiCodePage& codePage, bool ansiAllowed) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    // ANSI bytes that happen to begin like a byte-order mark would be read
    // back as UTF-16 or UTF-8 and garble the whole file.
    auto ansi = ansiAllowed ? exactAnsiBytes(text, codePage) : std::nullopt;
    if (ansi && !ansi->starts_with("\xFF\xFE") && !ansi->starts_with("\xFE\xFF") &&
        !ansi->starts_with("\xEF\xBB\xBF")) {
        return *std::move(ansi);
    }

    return "\xFF\xFE" + encodeUtf16(text, false);
}

}  // namespace customisation
