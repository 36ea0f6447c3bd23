#pragma once

#include <string>

namespace win32 {

// The path made whole (relative parts, "." and ".." resolved against the
// current folder) and, when long enough to need it, in the form that lifts
// the 260-character limit ("\\?\C:\..." or "\\?\UNC\server\share\...").
// Empty for device paths ("\\.\", "\\?\GLOBALROOT", "\??\", reserved names
// such as CON), which reach devices rather than a folder's files, and for a
// path that cannot be made whole: every call given it fails.
std::wstring longPath(const std::u16string& path);

}  // namespace win32
