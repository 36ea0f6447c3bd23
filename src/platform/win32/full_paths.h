#pragma once

#include "platform/full_paths.h"

namespace win32 {

class FullPaths : public platform::FullPaths {
  public:
    std::u16string fullPath(const std::u16string& path) const override;
};

// This program's own file, by its full path.
std::u16string programPath();

}  // namespace win32
