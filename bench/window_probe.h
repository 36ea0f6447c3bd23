#pragma once

// Driving FolderBackground's window from outside and watching its preview,
// as the benchmarks that type into it need.
#include <windows.h>

#include <algorithm>
#include <array>
#include <initializer_list>

#include "figures.h"
#include "launch.h"
#include "platform/win32/gdi_guards.h"

namespace bench {

// The n-th child edit box in creation order: fold, img, color, Text1.
inline HWND editBox(HWND window, int n) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16]{};
        ::GetClassNameW(child, name, 16);
        if (::lstrcmpiW(name, L"Edit") == 0 && n-- == 0) return child;
    }
    return nullptr;
}

inline HWND pictureBox(HWND window) { return editBox(window, 1); }

// Returns once the window has handled everything sent or posted to it so far.
inline void waitUntilIdle(const Launched& launched) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(launched.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    ::WaitForInputIdle(launched.process.get(), 60000);
}

// A few pixels of the preview as they are on screen, to tell when the
// window has painted a picture there.
class PreviewPixels {
  public:
    using Colours = std::array<COLORREF, 5>;

    explicit PreviewPixels(HWND window) : window_(window) {}

    Colours read() const {
        // The benchmarks run at the system's DPI, which the window takes too.
        int dpi = ::GetDeviceCaps(win32::WindowDc(nullptr).get(), LOGPIXELSY);
        if (dpi == 0) dpi = 96;
        auto pixels = [&](int twips) { return ::MulDiv(twips, dpi, 1440); };
        // The middle of the frame's file pane, where the preview shows through.
        const int x = pixels(1530 + 1800), y = pixels(1250 + 1600), step = pixels(300);
        const POINT points[] = {{x, y}, {x - step, y}, {x + step, y}, {x, y - step}, {x, y + step}};
        Colours colours{};
        const win32::WindowDc dc(window_);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i] = ::GetPixel(dc.get(), points[i].x, points[i].y);
        }
        return colours;
    }

    // Waits until the preview looks like none of `before`; false after
    // `seconds`.
    bool waitForOther(std::initializer_list<Colours> before, double seconds) const {
        const double start = nowSeconds();
        for (;;) {
            const Colours now = read();
            if (std::find(before.begin(), before.end(), now) == before.end()) return true;
            if (nowSeconds() - start > seconds) return false;
            ::Sleep(1);
        }
    }

  private:
    HWND window_;
};

}  // namespace bench
