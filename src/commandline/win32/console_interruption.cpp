#include "commandline/win32/console_interruption.h"

#include <windows.h>

#include <atomic>

namespace commandline::win32 {
namespace {

// Set on the thread the system starts for the handler, which is given no
// context to find an object by.
std::atomic<bool> stopRequested{false};

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    stopRequested = true;
    // Handled: the default handler, which ends the process, is not called.
    return TRUE;
}

}  // namespace

ConsoleInterruption::ConsoleInterruption() {
    stopRequested = false;
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

ConsoleInterruption::~ConsoleInterruption() { ::SetConsoleCtrlHandler(onConsoleControl, FALSE); }

bool ConsoleInterruption::requested() const { return stopRequested; }

}  // namespace commandline::win32
