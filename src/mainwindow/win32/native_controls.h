#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "mainwindow/win32/painter.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/themed_controls.h"

namespace app {

// The window's native children: the text boxes, the push button, the painted
// commands' stand-ins and the close picture's tooltip, with what assistive
// tools are told about them. The main window paints; these take the keyboard
// and speak for what it paints.
class NativeControls {
  public:
    NativeControls(mainwindow::Form1& form, win32::ComOnFirstUse& com,
                   win32::ThemedControls& themed, std::function<UINT()> dpi);
    NativeControls(const NativeControls&) = delete;
    NativeControls& operator=(const NativeControls&) = delete;

    // Makes every child of `parent`, in place and with its font.
    bool create(HWND parent, const Fonts& fonts);
    // Moves every child to its place at the current DPI and gives it its font.
    void layout(const Fonts& fonts);
    bool created() const { return !children_.empty(); }

    // A mouse move over the parent: the tooltip is made on the first one
    // over the close picture.
    void mouseMoved(WPARAM keys, LPARAM at);

    // The control a child window stands for; boxOf only for the text boxes.
    std::optional<mainwindow::ControlId> controlOf(HWND child) const;
    std::optional<mainwindow::ControlId> boxOf(HWND child) const;
    HWND window(mainwindow::ControlId control) const;

    void showText(mainwindow::ControlId box, const std::u16string& text);
    void selectAll(mainwindow::ControlId box);
    void focus(mainwindow::ControlId control);
    // The colour button's description follows the colour.
    void colourChanged();

    // The messages through which the controls' accessible objects reach the
    // parent; true and `result` set when `message` is one of them.
    bool onAccessibleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    static LRESULT CALLBACK boxProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK commandProc(HWND, UINT, WPARAM, LPARAM);
    void createCommandChildren();
    void placeToolTip();
    // The answer to a child's WM_GETOBJECT for its client area.
    LRESULT accessibleObjectOf(HWND child, WPARAM wParam);
    mainwindow::TwipPoint twips(LPARAM at) const;

    mainwindow::Form1& form_;
    win32::ComOnFirstUse& com_;
    win32::ThemedControls& themed_;
    std::function<UINT()> dpi_;
    HWND parent_ = nullptr;
    std::map<mainwindow::ControlId, HWND> children_;
    // The edit boxes' own window procedure, which boxProc hands on to.
    WNDPROC editProc_ = nullptr;
    HWND toolTip_ = nullptr;
};

}  // namespace app
