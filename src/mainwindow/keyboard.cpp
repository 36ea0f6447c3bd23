#include "mainwindow/keyboard.h"

#include <algorithm>

namespace mainwindow {

ControlId nextInTabOrder(std::optional<ControlId> from, bool backwards) {
    const auto last = static_cast<std::ptrdiff_t>(tabOrder.size()) - 1;
    const auto* at = from ? std::find(tabOrder.begin(), tabOrder.end(), *from) : tabOrder.end();
    if (at == tabOrder.end()) return backwards ? tabOrder[last] : tabOrder[0];
    auto index = at - tabOrder.begin() + (backwards ? -1 : 1);
    if (index < 0) index = last;
    if (index > last) index = 0;
    return tabOrder[static_cast<std::size_t>(index)];
}

bool isPaintedCommand(ControlId control) {
    return std::find(paintedCommands.begin(), paintedCommands.end(), control) !=
           paintedCommands.end();
}

}  // namespace mainwindow
