#pragma once

#include <optional>

#include "mainwindow/controls.h"

namespace mainwindow {

// The control that takes a mouse event at `point`: the front-most visible
// image or label whose rectangle holds it. Nothing means bare window area.
std::optional<ControlId> controlAt(const Controls& controls, TwipPoint point);

}  // namespace mainwindow
