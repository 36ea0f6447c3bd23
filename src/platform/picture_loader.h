#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

// A decoded picture, kept by the platform in a form it can draw.
class Picture {
  public:
    virtual ~Picture() = default;
};

using PicturePtr = std::shared_ptr<const Picture>;

class PictureLoader {
  public:
    virtual ~PictureLoader() = default;

    // The picture in the file, decoded for showing at about `widthTwips` by
    // `heightTwips`. An empty path gives the empty picture (null); a missing
    // file or one that holds no picture gives nothing.
    virtual std::optional<PicturePtr> load(const std::u16string& path, int widthTwips,
                                           int heightTwips) = 0;
};

}  // namespace platform
