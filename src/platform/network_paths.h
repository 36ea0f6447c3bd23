#pragma once

#include <string>

namespace platform {

// Tells paths on another machine from local ones by their text and the
// system's own table of drives, without ever asking that machine.
class NetworkPaths {
  public:
    virtual ~NetworkPaths() = default;
    virtual bool isOnNetwork(const std::u16string& path) const = 0;
};

}  // namespace platform
