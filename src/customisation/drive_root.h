#pragma once

#include <string_view>

namespace customisation {

// Whether the folder is the root of a drive or of a network share
// (C:\, \\server\share\, and their \\?\ forms).
bool isDriveRoot(std::u16string_view folder);

}  // namespace customisation
