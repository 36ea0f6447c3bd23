#pragma once

#include <windows.h>

#include "mainwindow/controls.h"
#include "mainwindow/win32/painter.h"

namespace mainwindow::win32 {

// Moves a child of the main window to a control's place at `dpi`, leaving
// its place among its siblings and the activation as they are.
inline void placeChild(HWND child, const mainwindow::TwipRect& rect, UINT dpi) {
    const RECT r = pixelRect(rect, dpi);
    ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mainwindow::win32
