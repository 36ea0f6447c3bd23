#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace win32 {

// A top-down 32-bit DIB section, rows as pictures are read, its pixels at
// `*bits`; empty (and `*bits` null) when it cannot be made.
inline UniqueBitmap createTopDownBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!*bits) bitmap.reset();
    return bitmap;
}

}  // namespace win32
