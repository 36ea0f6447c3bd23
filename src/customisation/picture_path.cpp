#include "customisation/picture_path.h"

#include <algorithm>
#include <vector>

#include "platform/ascii.h"

namespace customisation {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Upper case as the file system compares names, for the scripts whose
// letters have case: Latin, Greek and Cyrillic. A letter missed here only
// keeps a picture's path absolute.
char16_t upperCase(char16_t c) {
    if (c < 0x80) return platform::ascii::toUpper(c);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c >= 0x100 && c <= 0x17E && c != 0x131 && c != 0x138 && c != 0x149) {
        // Latin Extended-A pairs its letters, upper first; the run from
        // U+0139 to U+0148 and from U+0179 to U+017E pairs them upper second.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool lower = oddUpper ? (c % 2 == 0) : (c % 2 == 1);
        return lower ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return upperCase(x) == upperCase(y); });
}

// "\\?\C:\..." is "C:\...", and "\\?\UNC\server\..." is "\\server\...".
std::u16string withoutLongPrefix(std::u16string_view path) {
    auto starts = [&](std::u16string_view prefix) {
        return path.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), path.begin(), [](char16_t p, char16_t c) {
                   return p == u'\\' ? isSeparator(c) : p == upperCase(c);
               });
    };
    if (starts(u"\\\\?\\UNC\\")) return u"\\\\" + std::u16string(path.substr(8));
    if (starts(u"\\\\?\\") && platform::ascii::startsWithDrive(path.substr(4)))
        return std::u16string(path.substr(4));
    return std::u16string(path);
}

// The names of a path after its drive ("C:") or its server and share.
// Nothing for a path that is neither, or that holds an empty name, "." or
// "..", which would need resolving before it could be compared.
struct Parts {
    std::u16string root;
    std::vector<std::u16string_view> names;
};

std::optional<std::vector<std::u16string_view>> namesOf(std::u16string_view rest) {
    std::vector<std::u16string_view> names;
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), isSeparator) - rest.begin();
        const auto name = rest.substr(0, static_cast<std::size_t>(end));
        if (name.empty() || name == u"." || name == u"..") return std::nullopt;
        names.push_back(name);
        rest.remove_prefix(std::min(rest.size(), static_cast<std::size_t>(end) + 1));
    }
    return names;
}

std::optional<Parts> partsOf(const std::u16string& path, bool allowTrailingSeparator) {
    std::u16string_view rest = path;
    if (allowTrailingSeparator) {
        while (!rest.empty() && isSeparator(rest.back())) rest.remove_suffix(1);
    }
    Parts parts;
    if (platform::ascii::startsWithDrive(rest)) {
        parts.root = rest.substr(0, 2);
        rest.remove_prefix(2);
        if (rest.empty()) return parts;
        if (!isSeparator(rest.front())) return std::nullopt;  // "C:name" is drive-relative
        rest.remove_prefix(1);
    } else if (rest.size() > 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
        rest.remove_prefix(2);
        // The server and the share are the root.
        for (int i = 0; i < 2; ++i) {
            const auto end = std::find_if(rest.begin(), rest.end(), isSeparator) - rest.begin();
            if (end == 0) return std::nullopt;
            parts.root += u"\\\\";
            parts.root += rest.substr(0, static_cast<std::size_t>(end));
            rest.remove_prefix(std::min(rest.size(), static_cast<std::size_t>(end) + 1));
            if (rest.empty()) break;
        }
    } else {
        return std::nullopt;
    }
    auto names = namesOf(rest);
    if (!names) return std::nullopt;
    parts.names = std::move(*names);
    return parts;
}

}  // namespace

std::u16string pictureValueToWrite(std::u16string_view folder, std::u16string_view picture) {
    const std::u16string folderPath = withoutLongPrefix(folder);
    const std::u16string picturePath = withoutLongPrefix(picture);
    const auto where = partsOf(folderPath, true);
    const auto what = partsOf(picturePath, false);
    if (!where || !what || !sameName(where->root, what->root) ||
        what->names.size() <= where->names.size()) {
        return std::u16string(picture);
    }
    for (std::size_t i = 0; i < where->names.size(); ++i) {
        if (!sameName(where->names[i], what->names[i])) return std::u16string(picture);
    }
    std::u16string relative(u".");
    for (std::size_t i = where->names.size(); i < what->names.size(); ++i) {
        relative += u'\\';
        relative += what->names[i];
    }
    return relative;
}

std::optional<NamedPicture> picturePathFromValue(std::u16string_view folder,
                                                 std::u16string_view value) {
    if (value.empty() || platform::ascii::startsWithDrive(value) || isSeparator(value.front())) {
        return NamedPicture{std::u16string(value), false};
    }
    std::vector<std::u16string_view> names;
    while (!value.empty()) {
        const auto end = std::find_if(value.begin(), value.end(), isSeparator) - value.begin();
        const auto name = value.substr(0, static_cast<std::size_t>(end));
        value.remove_prefix(std::min(value.size(), static_cast<std::size_t>(end) + 1));
        if (name.empty() || name == u".") continue;
        if (name != u"..") {
            names.push_back(name);
            continue;
        }
        if (names.empty()) return std::nullopt;  // out of the folder
        names.pop_back();
    }
    if (names.empty()) return std::nullopt;
    std::u16string path(folder);
    for (const auto name : names) {
        if (!path.empty() && !isSeparator(path.back())) path += u'\\';
        path += name;
    }
    return NamedPicture{std::move(path), true};
}

}  // namespace customisation
