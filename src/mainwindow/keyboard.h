#pragma once

#include <array>
#include <optional>
#include <string>

#include "mainwindow/controls.h"

namespace mainwindow {

// The keys the window acts on, with the modifiers that change their meaning.
enum class Key { tab, shiftTab, enter, space, escape, altF4, altDown, f4 };

// The painted buttons and links that take the keyboard focus. The window
// gives each an invisible native stand-in, so that the focus and assistive
// tools have something to hold.
inline constexpr std::array paintedCommands{ControlId::wbtn1,  ControlId::wbtn2,  ControlId::Image3,
                                            ControlId::Image5, ControlId::Image4, ControlId::Label1,
                                            ControlId::Label9};

// The order Tab walks, first to last; Shift+Tab walks it backwards. The
// controls that lie out of sight are not in it.
inline constexpr std::array tabOrder{
    ControlId::fold,    ControlId::wbtn1,  ControlId::img,    ControlId::wbtn2,  ControlId::Image3,
    ControlId::iconBox, ControlId::Image5, ControlId::Image4, ControlId::Label1, ControlId::Label9};

// Where Tab (or Shift+Tab when `backwards`) takes the focus from `from`. From
// nothing or from a control outside the order it enters at the first (or
// last) control; past either end it wraps round.
ControlId nextInTabOrder(std::optional<ControlId> from, bool backwards);

bool isPaintedCommand(ControlId control);

// How an assistive tool is told what a control is.
enum class AccessibleRole { none, pushButton, link, editableText, checkBox };

struct AccessibleInfo {
    std::u16string name;
    AccessibleRole role = AccessibleRole::none;
    std::u16string description;
    bool operator==(const AccessibleInfo&) const = default;
};

}  // namespace mainwindow
