#pragma once

#include <windows.h>

namespace win32 {

// The form is laid out in twips, 1440 to the inch, and drawn in pixels at
// the window's DPI; rounded to the nearest, as MulDiv does.
inline int twipsToPixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline int pixelsToTwips(int pixels, UINT dpi) {
    return ::MulDiv(pixels, 1440, static_cast<int>(dpi));
}

}  // namespace win32
