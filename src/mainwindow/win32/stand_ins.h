#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "mainwindow/form1.h"
#include "mainwindow/win32/accessible_command.h"

namespace mainwindow::win32 {

// The painted commands' stand-ins: windows of their own small class over the
// painted buttons and links, which hold the focus and speak for the command.
// They draw nothing and are left out of the main window's clipping
// (WS_EX_TRANSPARENT), so what shows is the main window's painting, focus
// included. The mouse passes through them (HTTRANSPARENT), so the model's hit
// testing alone decides what the pointer is over; another program's hit test
// (a screen reader's pointer) finds them.
class StandIns : private CommandAnswers {
  public:
    // `accessibilityWanted` runs whenever a tool asks a stand-in for its
    // object, before the object answers.
    StandIns(mainwindow::Form1& form, std::function<UINT()> dpi,
             std::function<void()> accessibilityWanted);
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;

    // Makes a stand-in over each painted command of `parent`, after the
    // children made so far and in the order of the painted commands.
    bool create(HWND parent);
    // Moves every stand-in over its command at the current DPI.
    void layout();
    // The stand-in of a painted command; null for any other control.
    HWND window(mainwindow::ControlId command) const;
    // The colour button's description follows the colour.
    void colourChanged();

  private:
    // The stand-ins' windows hold the answers, which are this object.
    static LRESULT onMessage(CommandAnswers& answers, HWND standIn, UINT message, WPARAM wParam,
                             LPARAM lParam);
    LRESULT answer(HWND standIn, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<mainwindow::ControlId> commandOf(HWND standIn) const;

    // CommandAnswers
    mainwindow::AccessibleInfo describe(HWND standIn) const override;
    void pressSoon(HWND standIn) override;

    mainwindow::Form1& form_;
    std::function<UINT()> dpi_;
    std::function<void()> accessibilityWanted_;
    std::map<mainwindow::ControlId, HWND> windows_;
    // Presses asked for through the stand-ins' accessible objects, not yet run.
    std::vector<mainwindow::ControlId> pressesAsked_;
    // The stand-in that took a Space down, which presses as the key comes up.
    HWND spaceDown_ = nullptr;
};

}  // namespace mainwindow::win32
