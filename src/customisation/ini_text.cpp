#include "customisation/ini_text.h"

#include <cstdint>

namespace customisation {
namespace {

constexpr char16_t replacementCharacter = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    // A dangling odd byte cannot be half of a character: it is dropped.
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

void appendCodePoint(std::u16string& text, std::uint32_t codePoint) {
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

std::u16string decodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        int length = lead < 0x80           ? 1
                     : (lead >> 5) == 0x6  ? 2
                     : (lead >> 4) == 0xE  ? 3
                     : (lead >> 3) == 0x1E ? 4
                                           : 0;
        if (length == 0 || i + length > bytes.size()) {
            text += replacementCharacter;
            ++i;
            continue;
        }
        std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && codePoint >= smallest[length] && codePoint <= 0x10FFFF &&
                (codePoint < 0xD800 || codePoint > 0xDFFF);
        if (!valid) {
            text += replacementCharacter;
            ++i;
            continue;
        }
        appendCodePoint(text, codePoint);
        i += length;
    }
    return text;
}

}  // namespace

std::u16string decodeIniFile(std::string_view bytes, const platform::AnsiCodePage& codePage) {
    if (startsWith(bytes, "\xFF\xFE")) return decodeUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF")) return decodeUtf16(bytes.substr(2), true);
    if (startsWith(bytes, "\xEF\xBB\xBF")) return decodeUtf8(bytes.substr(3));
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
                          const platform::AnsiCodePage& codePage) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    // ANSI bytes that happen to begin like a byte-order mark would be read
    // back as UTF-16 or UTF-8 and garble the whole file.
    auto ansi = codePage.encodeExactly(text);
    if (ansi && !startsWith(*ansi, "\xFF\xFE") && !startsWith(*ansi, "\xFE\xFF") &&
        !startsWith(*ansi, "\xEF\xBB\xBF")) {
        return *std::move(ansi);
    }

    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace customisation
