#pragma once

#include <memory>
#include <optional>

namespace platform {

// A decoded picture, kept by the platform in a form it can draw.
class Picture {
  public:
    virtual ~Picture() = default;
};

using PicturePtr = std::shared_ptr<const Picture>;

// What loading a file gives: the empty picture (null) for an empty path,
// nothing for a missing file or one that holds no picture.
using LoadedPicture = std::optional<PicturePtr>;

}  // namespace platform
