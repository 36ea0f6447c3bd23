#pragma once

#include <cstdint>
#include <string>

#include "platform/picture.h"

namespace platform {

// Names one request for a picture; its answer carries the same number.
using PictureTicket = std::uint64_t;

// Who named the picture's file. A path the person typed or picked is theirs
// to fetch from anywhere; one that a folder's Desktop.ini named (a folder on
// a stick, in a zip) is read only from a local disk: opening a file on
// someone's server would connect to it and hand it the person's credentials.
enum class PictureOrigin { chosen, namedByFolder };

// Decodes pictures without keeping the window waiting: a large photograph or
// a slow disk can take seconds.
class PictureLoader {
  public:
    virtual ~PictureLoader() = default;

    // Asks for the picture in the file, decoded for showing at about
    // `widthTwips` by `heightTwips`. The answer comes later, on the window's
    // thread, as the window's `pictureLoaded` with the ticket returned here.
    // A request supersedes every earlier one, whose answer may never come.
    // A network path named by a folder answers the empty picture, untouched.
    virtual PictureTicket request(const std::u16string& path, int widthTwips, int heightTwips,
                                  PictureOrigin origin) = 0;
};

}  // namespace platform
