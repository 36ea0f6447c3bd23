#include "customisation/ini_scan.h"

#include <algorithm>

#include "customisation/ini_line.h"
#include "customisation/ini_text.h"
#include "platform/ascii.h"

namespace customisation {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isAsciiKey(std::string_view bytes, std::u16string_view key) {
    return std::equal(bytes.begin(), bytes.end(), key.begin(), key.end(), [](char b, char16_t k) {
        return k < 0x80 &&
               platform::ascii::toLower(b) == platform::ascii::toLower(static_cast<char>(k));
    });
}

std::string_view trimmed(std::string_view bytes) {
    while (!bytes.empty() && isBlank(bytes.front())) bytes.remove_prefix(1);
    while (!bytes.empty() && isBlank(bytes.back())) bytes.remove_suffix(1);
    return bytes;
}

// In every ANSI code page a byte below 0x80 at a character's start is that
// ASCII character, and "[", "=", blanks and line ends never end a double-byte
// character. A line whose bytes begin with "[" is so a header, and a key of
// ASCII letters is known by its bytes.
bool mayMatter(std::string_view line, std::initializer_list<std::u16string_view> keys) {
    const std::string_view text = trimmed(line);
    if (!text.empty() && text.front() == '[') return true;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = trimmed(text.substr(0, equals));
    return std::any_of(keys.begin(), keys.end(),
                       [&](std::u16string_view wanted) { return isAsciiKey(key, wanted); });
}

bool isHeaderOrKey(std::u16string_view line, std::initializer_list<std::u16string_view> keys) {
    return sectionName(line) || isKeyNamed(line, keys);
}

// Calls `line` with each line of `text` and its line ends as splitLines
// splits them, without copying.
template <typename Char, typename Visit>
void forEachLine(std::basic_string_view<Char> text, Visit line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != Char('\r') && text[i] != Char('\n')) continue;
        line(text.substr(start, i - start));
        if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) line(text.substr(start));
}

}  // namespace

std::vector<std::u16string> headerAndKeyLines(std::string_view bytes,
                                              const platform::AnsiCodePage& codePage,
                                              std::initializer_list<std::u16string_view> keys) {
    std::vector<std::u16string> lines;
    const bool marked = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
                        bytes.starts_with("\xEF\xBB\xBF");
    if (marked) {
        const std::u16string text = decodeIniFile(bytes, codePage);
        forEachLine(std::u16string_view(text), [&](std::u16string_view line) {
            if (isHeaderOrKey(line, keys)) lines.emplace_back(line);
        });
        return lines;
    }
    forEachLine(bytes, [&](std::string_view line) {
        if (mayMatter(line, keys)) lines.push_back(codePage.decode(line));
    });
    return lines;
}

}  // namespace customisation
