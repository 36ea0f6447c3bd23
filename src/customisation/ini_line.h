#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace customisation {

// Blanks (spaces and tabs) taken off both ends.
std::u16string_view trimBlanks(std::u16string_view text);

// Compares ASCII letters without regard to case, every other character exactly.
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

// The name of a section header line ("[name]"), or nothing for other lines.
std::optional<std::u16string_view> sectionName(std::u16string_view line);

// The key of a key line (the trimmed text before its first "="), or nothing
// for lines without "=", comment lines and section headers.
std::optional<std::u16string_view> keyName(std::u16string_view line);

// Whether the line is a key line of that key, or of one of those keys,
// compared as the system's INI reader does: ASCII letters without regard to
// case.
bool isKeyNamed(std::u16string_view line, std::u16string_view name);
bool isKeyNamed(std::u16string_view line, std::span<const std::u16string_view> names);

// The value of a key line as the system's INI reader takes it: the text after
// the first "=", without surrounding blanks and one pair of enclosing quotes,
// double or single.
std::u16string_view keyValue(std::u16string_view line);

}  // namespace customisation
