#pragma once

#include <cstdint>

#include "customisation/input_checks.h"

namespace mainwindow {

using customisation::isRgbColour;

// What the controls take as a colour: an RGB colour, or one of the system's
// colours by its index with the top bit set.
inline bool isControlColour(std::int32_t number) {
    auto bits = static_cast<std::uint32_t>(number);
    return isRgbColour(number) || (bits >= 0x80000000u && bits <= 0x80000018u);
}

}  // namespace mainwindow
