#pragma once

#include <functional>

#include "platform/win32/unique_handle.h"

namespace win32 {

// A picture decoded into a 32-bit premultiplied top-down DIB section, ready
// for AlphaBlend.
struct DecodedBitmap {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
};

// Asked between the steps of a decode: true when its result is no longer
// wanted, which ends it early.
using StopRequested = std::function<bool()>;

}  // namespace win32
