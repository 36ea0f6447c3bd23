#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace customisation {

// The icon file this program writes into a folder, named after its bytes:
// Explorer caches icons by file name and index, so a new picture needs a new
// name, and the same picture keeps its name.
std::u16string iconFileName(std::string_view iconBytes);

// Whether `name` is one that iconFileName gives; any other file is never
// ours to delete.
bool isOurIconFileName(std::u16string_view name);

// The three lines that name our icon in [.ShellClassInfo]: IconResource for
// Vista and later, IconFile and IconIndex for XP. Relative to the folder, so
// that the icon travels with it.
std::vector<std::u16string> iconLines(const std::u16string& iconFile);

// Which icon a line of [.ShellClassInfo] names.
enum class IconLine {
    none,       // not an icon line
    ours,       // IconResource or IconFile naming our icon file
    theirs,     // IconResource or IconFile naming any other icon
    zeroIndex,  // IconIndex=0: ours only right after our IconFile line
};
IconLine iconLineKind(std::u16string_view line);

// The icon file a line of ours names.
std::optional<std::u16string> iconFileOfLine(std::u16string_view line);

}  // namespace customisation
