#include "mainwindow/win32/dpi.h"

#include "platform/win32/gdi_guards.h"

namespace mainwindow::win32 {

DpiSource::DpiSource() : forWindow_(L"user32.dll", "GetDpiForWindow") {}

UINT DpiSource::of(HWND window) {
    UINT dpi = 0;
    if (window && forWindow_) dpi = forWindow_(window);
    if (window && dpi == 0) {
        if (!forMonitor_) forMonitor_.emplace(L"shcore.dll", "GetDpiForMonitor");
        UINT x = 0, y = 0;
        constexpr int effectiveDpi = 0;  // MDT_EFFECTIVE_DPI
        HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (*forMonitor_ && SUCCEEDED((*forMonitor_)(monitor, effectiveDpi, &x, &y))) dpi = y;
    }
    if (dpi == 0) {
        const ::win32::WindowDc screen(nullptr);
        dpi = static_cast<UINT>(::GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    return dpi == 0 ? 96 : dpi;
}

}  // namespace mainwindow::win32
