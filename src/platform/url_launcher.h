#pragma once

#include <string_view>

namespace platform {

// Hands a web address to the system's handler for it (the default browser).
class UrlLauncher {
  public:
    virtual ~UrlLauncher() = default;
    virtual bool open(std::u16string_view url) = 0;
};

}  // namespace platform
