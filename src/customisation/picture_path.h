#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace customisation {

// The picture line's value for `picture` in the file of `folder`: relative to
// the folder (".\name.jpg", ".\sub\name.jpg") when the picture lies in it or
// below it, so that the setting goes wherever the folder is copied, moved or
// opened from; the path unchanged otherwise. Paths compare as Windows
// compares them, without regard to case.
std::u16string pictureValueToWrite(std::u16string_view folder, std::u16string_view picture);

// The picture a value of the picture line names.
struct NamedPicture {
    std::u16string path;
    // Taken relative to the folder: the picture lies where the folder lies.
    bool inFolder = false;
};

// What the shell takes a value for: one with a drive, a UNC prefix or a root
// as it stands; any other relative to the folder. Nothing for a relative
// value that climbs out of the folder, or that names the folder itself.
std::optional<NamedPicture> picturePathFromValue(std::u16string_view folder,
                                                 std::u16string_view value);

}  // namespace customisation
