#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "mainwindow/win32/annotations.h"
#include "mainwindow/win32/painter.h"
#include "mainwindow/win32/stand_ins.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/themed_controls.h"

namespace mainwindow::win32 {

// The window's native children: the text boxes, the push button, the
// painted commands' stand-ins (StandIns) and the close picture's tooltip,
// with what assistive tools are told about the boxes. The main window paints;
// these take the keyboard and speak for what it paints.
class NativeControls {
  public:
    NativeControls(mainwindow::Form1& form, ::win32::ComOnFirstUse& com,
                   ::win32::ThemedControls& themed, std::function<UINT()> dpi);
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
    // An assistive tool asked the parent or a child for its object: the
    // boxes are named from now on.
    void accessibilityWanted();

    // The text box a child window is; nothing for any other child.
    std::optional<mainwindow::ControlId> boxOf(HWND child) const;
    // The child that is, or stands in for, `control`; null when none does.
    HWND window(mainwindow::ControlId control) const;
    // The colour a box's text is drawn in.
    COLORREF textColour(mainwindow::ControlId box) const;

    void showText(mainwindow::ControlId box, const std::u16string& text);
    void selectAll(mainwindow::ControlId box);
    void focus(mainwindow::ControlId control);
    // The colour button's description follows the colour.
    void colourChanged();
    // The icon box shows the model's state, and its tooltip says why it
    // cannot be checked where it cannot.
    void checkBoxChanged();
    // A notification from a child: true when it was the icon box's.
    bool checkBoxNotified(HWND child, WORD code);
    // Colours for the icon box's label, and its background brush: the
    // system's in high contrast, else null for the window's own painting
    // beneath it. Nothing for any other child.
    std::optional<HBRUSH> checkBoxColours(HWND child, HDC dc) const;

  private:
    // What the edit boxes and the labels do before their own procedures.
    LRESULT onBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
    void placeToolTip();
    void labelBox(mainwindow::ControlId box, mainwindow::ControlId label);
    // A label that draws nothing, just before `before` among the siblings.
    HWND addLabel(mainwindow::ControlId before, const std::u16string& text,
                  const mainwindow::TwipRect& rect);
    mainwindow::TwipPoint twips(LPARAM at) const;

    mainwindow::Form1& form_;
    ::win32::ComOnFirstUse& com_;
    ::win32::ThemedControls& themed_;
    std::function<UINT()> dpi_;
    HWND parent_ = nullptr;
    // The boxes and the push button.
    std::map<mainwindow::ControlId, HWND> children_;
    StandIns standIns_;
    // The edit boxes' and labels' own window procedures, which onBoxMessage
    // and onLabelMessage hand on to.
    WNDPROC editProc_ = nullptr;
    WNDPROC staticProc_ = nullptr;
    HWND toolTip_ = nullptr;
    // Made when a tool first asks: loading COM and oleacc costs the start.
    std::optional<Annotations> annotations_;
    // Where annotation is missing the boxes are named by labels of their own.
    std::map<mainwindow::ControlId, HWND> labels_;
};

}  // namespace mainwindow::win32
