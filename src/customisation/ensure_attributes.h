#pragma once

#include <cstdint>
#include <string>

#include "platform/file_attributes.h"

namespace customisation {

// Sets `value` unless the path already has it: asking costs a file system
// far less than writing, and a replace often carries the attributes over.
inline platform::Outcome ensureAttributes(platform::FileAttributes& attributes,
                                          const std::u16string& path, std::uint32_t value) {
    if (attributes.get(path) == value) return platform::Outcome::success();
    return attributes.set(path, value);
}

}  // namespace customisation
