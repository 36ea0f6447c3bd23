#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "customisation/disk.h"

namespace customisation {

// What a folder's customisation file says: the colour as it is written
// there, and the picture's path as the shell takes it.
struct FoundCustomisation {
    std::optional<std::u16string> picturePath;
    std::optional<std::u16string> colour;
    // The value named the picture relative to the folder.
    bool pictureInFolder = false;
    // [.ShellClassInfo] names our icon file, or an icon of the folder's own.
    bool ourIcon = false;
    bool ownIcon = false;
};

// Reads the customisation of `folder`; nothing is found for an empty folder
// path, a missing or unreadable file, or one too large to be ours.
FoundCustomisation readCustomisation(Disk& disk, std::u16string_view folder);

}  // namespace customisation
