#pragma once

#include <string>
#include <string_view>

#include "customisation/disk.h"

namespace customisation {

// Gives the file at `path` exactly `bytes`, or leaves it as it was, attributes
// included: the bytes go to a new file beside it first, which then takes its
// place in one rename. The file ends up with the new file's attributes.
bool replaceFileContents(Disk& disk, const std::u16string& path, std::string_view bytes);

}  // namespace customisation
