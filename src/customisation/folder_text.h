#pragma once

#include <string>
#include <string_view>

namespace customisation {

// The path without the separators that end it; a drive's root (C:\) keeps
// its own.
std::u16string withoutEndingSeparators(std::u16string_view path);

// A folder as the folder box holds it, wherever it came from (the folder
// browser, a drop, a command line): ending with one backslash, where a
// drive's root already ends with its own.
std::u16string folderText(std::u16string_view path);

}  // namespace customisation
