#pragma once

namespace platform {

// A version of Windows, such as 5.1 for XP or 10.0 for Windows 10 and 11.
struct WindowsRelease {
    unsigned major = 0;
    unsigned minor = 0;
};

// The version of Windows the program runs on: the real one, not what a
// compatibility layer tells programs it thinks were made for older ones.
class WindowsVersion {
  public:
    virtual ~WindowsVersion() = default;
    virtual WindowsRelease release() const = 0;
};

}  // namespace platform
