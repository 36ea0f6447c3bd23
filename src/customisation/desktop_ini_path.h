#pragma once

#include <string>
#include <string_view>

namespace customisation {

// The customisation file of `folder`. A folder typed without its trailing
// separator still names the file inside it, not one beside it.
std::u16string desktopIniPath(std::u16string_view folder);

}  // namespace customisation
