#include "customisation/ini_line.h"

#include <algorithm>

#include "platform/ascii.h"

namespace customisation {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::u16string_view trimBlanks(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        return platform::ascii::toLower(x) == platform::ascii::toLower(y);
    });
}

std::optional<std::u16string_view> sectionName(std::u16string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != u'[') return std::nullopt;
    line.remove_prefix(1);
    return trimBlanks(line.substr(0, line.find(u']')));
}

std::optional<std::u16string_view> keyName(std::u16string_view line) {
    std::u16string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == u';' || trimmed.front() == u'[') return std::nullopt;
    auto equals = trimmed.find(u'=');
    if (equals == std::u16string_view::npos) return std::nullopt;
    return trimBlanks(trimmed.substr(0, equals));
}

bool isKeyNamed(std::u16string_view line, std::u16string_view name) {
    return isKeyNamed(line, std::span(&name, 1));
}

bool isKeyNamed(std::u16string_view line, std::span<const std::u16string_view> names) {
    const auto key = keyName(line);
    return key && std::any_of(names.begin(), names.end(), [&](std::u16string_view name) {
               return equalsIgnoringCase(*key, name);
           });
}

std::u16string_view keyValue(std::u16string_view line) {
    auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return {};
    std::u16string_view value = trimBlanks(line.substr(equals + 1));
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'');
    if (quoted && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace customisation
