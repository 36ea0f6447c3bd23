#pragma once

#include <windows.h>

#include <oleacc.h>

#include <optional>

#include "mainwindow/keyboard.h"

namespace app {

// How the window and the accessible objects of its controls talk. Messages
// rather than pointers: a tool may keep an object after the window is gone.
struct AccessibleMessages {
    // wParam: the control's window; lParam: a mainwindow::AccessibleInfo to
    // fill. Returns TRUE when filled.
    static UINT describe();
    // wParam: the control's window. Posted: runs the control's command.
    static UINT press();
    // wParam: the control's window; lParam: a RECT to fill with the place,
    // in screen coordinates, where the window draws the control. Returns
    // TRUE when filled: for the painted commands, whose windows take no room.
    static UINT locate();
};

// The answer to WM_GETOBJECT for one of the window's controls: the system's
// standard object for its window, with the name, role, description and
// default action the model gives it.
LRESULT accessibleObject(HWND control, WPARAM wParam);

}  // namespace app
