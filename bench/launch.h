#pragma once

// Starting a windowed program and waiting until its window is on screen, as
// the start-up and memory benchmarks both need.
#include <windows.h>

#include <string>

#include "figures.h"
#include "start_program.h"

namespace bench {

struct Launched : StartedProgram {
    HWND window = nullptr;
    // From just before the program was started until its window was visible
    // and the program idle.
    double seconds = 0;
};

// Ends a launched process that did not come up as it should.
inline void abandon(Launched& launched) {
    ::TerminateProcess(launched.process.get(), 1);
    ::WaitForSingleObject(launched.process.get(), 5000);
    launched.thread.reset();
    launched.process.reset();
}

// Starts `program` and returns once it is idle with its window visible. The
// program shows and paints its window before entering its message loop, so
// idle means the first paint is done. False (and the process ended) on
// failure or after 60 seconds.
inline bool launch(const std::wstring& program, const wchar_t* className, Launched& out) {
    out = {};
    const double start = nowSeconds();
    if (startProgram(program, out) != ERROR_SUCCESS) return false;
    constexpr double timeout = 60;
    // Anything but idle (a timeout, or no idle to wait for) would leave the
    // first paint out of the figure.
    if (::WaitForInputIdle(out.process.get(), static_cast<DWORD>(timeout * 1000)) != 0) {
        abandon(out);
        return false;
    }
    while ((out.window = visibleWindowOf(out.processId, className)) == nullptr) {
        if (nowSeconds() - start > timeout ||
            ::WaitForSingleObject(out.process.get(), 0) == WAIT_OBJECT_0) {
            abandon(out);
            return false;
        }
        ::Sleep(1);
    }
    out.seconds = nowSeconds() - start;
    return true;
}

// Closes the window as its close box would and waits for the process to end,
// so that the next run starts alone.
inline void closeAndWait(Launched& launched) {
    ::PostMessageW(launched.window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(launched.process.get(), 30000) != WAIT_OBJECT_0) abandon(launched);
    launched.thread.reset();
    launched.process.reset();
}

}  // namespace bench
