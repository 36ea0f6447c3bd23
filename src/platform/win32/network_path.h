#pragma once

#include <string>

namespace win32 {

// True for a path whose file lies on another machine, or might: a UNC path
// (\\server\share, \\?\UNC\...), a device path (\\.\, \\?\GLOBALROOT, which
// can lead anywhere), or a drive letter that is a network drive.
bool isOnNetwork(const std::u16string& path);

}  // namespace win32
