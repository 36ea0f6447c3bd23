#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/network_paths.h"

namespace win32 {

// True for a path whose file lies on another machine, or might: a UNC path
// (\\server\share, \\?\UNC\...), a device path (\\.\, \\?\GLOBALROOT, which
// can lead anywhere), or a drive letter that is a network drive.
bool isOnNetwork(const std::u16string& path);

// The same, with the type of a drive's root asked of `driveType`: only for
// a path with a drive letter, never for one that names a server.
bool isOnNetwork(const std::u16string& path,
                 const std::function<UINT(const wchar_t* root)>& driveType);

// A relative path is taken with the current folder it is relative to.
class NetworkPaths : public platform::NetworkPaths {
  public:
    bool isOnNetwork(const std::u16string& path) const override;
};

}  // namespace win32
