#pragma once

#include "platform/windows_version.h"

namespace win32 {

class WindowsVersion : public platform::WindowsVersion {
  public:
    platform::WindowsRelease release() const override;
};

}  // namespace win32
