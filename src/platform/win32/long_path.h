#pragma once

#include <string>

namespace win32 {

// The path in the form that lifts the 260-character limit ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), for absolute paths long enough to need it.
std::wstring longPath(const std::u16string& path);

}  // namespace win32
