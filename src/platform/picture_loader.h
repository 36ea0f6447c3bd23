#pragma once

#include <cstdint>
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

// What loading a file gives: the empty picture (null) for an empty path,
// nothing for a missing file or one that holds no picture.
using LoadedPicture = std::optional<PicturePtr>;

// Names one request for a picture; its answer carries the same number.
using PictureTicket = std::uint64_t;

// Decodes pictures without keeping the window waiting: a large photograph or
// a slow disk can take seconds.
class PictureLoader {
  public:
    virtual ~PictureLoader() = default;

    // Asks for the picture in the file, decoded for showing at about
    // `widthTwips` by `heightTwips`. The answer comes later, on the window's
    // thread, as the window's `pictureLoaded` with the ticket returned here.
    // A request supersedes every earlier one, whose answer may never come.
    virtual PictureTicket request(const std::u16string& path, int widthTwips, int heightTwips) = 0;
};

}  // namespace platform
