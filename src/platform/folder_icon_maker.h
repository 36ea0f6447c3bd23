#pragma once

#include <optional>
#include <string>

namespace platform {

// Makes the icon that lets a folder carry its picture where Explorer draws
// no background (Vista and later): a folder shape whose front shows the
// picture, cropped to fill it.
class FolderIconMaker {
  public:
    virtual ~FolderIconMaker() = default;

    // The bytes of an .ico file with 16, 24, 32, 48 and 256 pixel images;
    // nothing when the file is missing or holds no picture. Asked again for
    // the same unchanged file, it answers from the last icon it made rather
    // than decode a large photograph once more (a command line applies one
    // picture to many folders). Safe to call from any one thread at a time.
    virtual std::optional<std::string> makeIcon(const std::u16string& picturePath) = 0;
};

}  // namespace platform
