#pragma once

#include <windows.h>

#include <optional>

namespace mainwindow::win32 {

// How a child that draws nothing answers the messages that would draw it:
// the main window's painting beneath it is what shows. Nothing for any other
// message.
inline std::optional<LRESULT> drawNothing(HWND window, UINT message) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            ::ValidateRect(window, nullptr);
            return 0;
        case WM_PRINTCLIENT:
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace mainwindow::win32
