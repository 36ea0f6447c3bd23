#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/system_library.h"

namespace mainwindow::win32 {

// The dots per inch the window is drawn at: its own on Windows 10 1607 and
// later, its monitor's on 8.1, and the system's everywhere before.
class DpiSource {
  public:
    DpiSource();
    // `window` may be null: then the system's, which is the primary monitor's.
    UINT of(HWND window);

  private:
    using ForMonitor = HRESULT(HMONITOR, int, UINT*, UINT*);
    ::win32::NewerFunction<UINT(HWND)> forWindow_;
    // Looked up only where forWindow_ is missing: shcore.dll is loaded for it.
    std::optional<::win32::NewerFunction<ForMonitor>> forMonitor_;
};

}  // namespace mainwindow::win32
