#pragma once

#include <windows.h>

#include <optional>

#include "mainwindow/keyboard.h"

namespace mainwindow::win32 {

// What the accessible object of a painted command's stand-in asks of the
// window. Tools' calls reach the object on the window's own thread, so it
// asks directly; no window message carries anything between them.
class CommandAnswers {
  public:
    // What the command is called and what it does.
    virtual mainwindow::AccessibleInfo describe(HWND standIn) const = 0;
    // Presses the command once the tool's call has returned.
    virtual void pressSoon(HWND standIn) = 0;

  protected:
    ~CommandAnswers() = default;
};

// The answer to a stand-in's WM_GETOBJECT for its client area. The stand-in's
// GWLP_USERDATA holds its CommandAnswers*, and null once the window is gone:
// a tool may keep the object longer than the window lives.
LRESULT accessibleCommand(HWND standIn, WPARAM wParam);

}  // namespace mainwindow::win32
