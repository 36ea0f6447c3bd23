#include "mainwindow/hit_test.h"

namespace mainwindow {

std::optional<ControlId> controlAt(const Controls& controls, TwipPoint point) {
    for (const auto& control : controls) {
        if (takesMouseEvents(control) && control.rect.contains(point)) return control.id;
    }
    return std::nullopt;
}

}  // namespace mainwindow
