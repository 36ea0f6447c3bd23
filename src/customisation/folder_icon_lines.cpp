#include "customisation/folder_icon_lines.h"

#include <algorithm>
#include <cstdint>

#include "customisation/ini_line.h"
#include "platform/ascii.h"

namespace customisation {
namespace {

constexpr std::u16string_view namePrefix = u"folder-picture-";
constexpr std::u16string_view nameSuffix = u".ico";
constexpr std::size_t hashDigits = 16;
constexpr std::u16string_view relativeStart = u".\\";

// FNV-1a: a collision only costs a cached old icon, never a lost file.
std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// Our file as a value names it: ".\name", with ",0" after it for IconResource.
std::optional<std::u16string> ourFileInValue(std::u16string_view value, bool withIndex) {
    if (withIndex) {
        if (!value.ends_with(u",0")) return std::nullopt;
        value.remove_suffix(2);
    }
    if (!value.starts_with(relativeStart)) return std::nullopt;
    value.remove_prefix(relativeStart.size());
    if (!isOurIconFileName(value)) return std::nullopt;
    return std::u16string(value);
}

}  // namespace

std::u16string iconFileName(std::string_view iconBytes) {
    constexpr char16_t digits[] = u"0123456789abcdef";
    std::u16string name(namePrefix);
    const std::uint64_t hash = hashOf(iconBytes);
    for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
    return name.append(nameSuffix);
}

bool isOurIconFileName(std::u16string_view name) {
    if (name.size() != namePrefix.size() + hashDigits + nameSuffix.size()) return false;
    if (!equalsIgnoringCase(name.substr(0, namePrefix.size()), namePrefix)) return false;
    if (!equalsIgnoringCase(name.substr(name.size() - nameSuffix.size()), nameSuffix)) {
        return false;
    }
    const auto hash = name.substr(namePrefix.size(), hashDigits);
    return std::all_of(hash.begin(), hash.end(),
                       [](char16_t c) { return platform::ascii::hexDigit(c) >= 0; });
}

std::vector<std::u16string> iconLines(const std::u16string& iconFile) {
    const std::u16string relative = std::u16string(relativeStart) + iconFile;
    return {u"IconResource=" + relative + u",0", u"IconFile=" + relative, u"IconIndex=0"};
}

std::optional<std::u16string> iconFileOfLine(std::u16string_view line) {
    const auto key = keyName(line);
    if (!key) return std::nullopt;
    if (equalsIgnoringCase(*key, u"IconResource")) return ourFileInValue(keyValue(line), true);
    if (equalsIgnoringCase(*key, u"IconFile")) return ourFileInValue(keyValue(line), false);
    return std::nullopt;
}

IconLine iconLineKind(std::u16string_view line) {
    const auto key = keyName(line);
    if (!key) return IconLine::none;
    if (equalsIgnoringCase(*key, u"IconIndex")) {
        return keyValue(line) == u"0" ? IconLine::zeroIndex : IconLine::none;
    }
    if (!equalsIgnoringCase(*key, u"IconResource") && !equalsIgnoringCase(*key, u"IconFile")) {
        return IconLine::none;
    }
    return iconFileOfLine(line) ? IconLine::ours : IconLine::theirs;
}

}  // namespace customisation
