#pragma once

#include <cstdint>

namespace platform {

// A native window handle carried through portable code without its type.
using WindowHandle = std::uintptr_t;

}  // namespace platform
