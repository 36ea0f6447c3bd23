#pragma once

#include <string>

namespace platform {

// Makes a path typed relative to the current folder or drive a full one, as
// the pickers give it. Only the text changes: nothing needs to exist.
class FullPaths {
  public:
    virtual ~FullPaths() = default;
    virtual std::u16string fullPath(const std::u16string& path) const = 0;
};

}  // namespace platform
