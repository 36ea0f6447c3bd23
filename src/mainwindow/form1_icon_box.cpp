// The check box that gives the folder our icon of its picture.
#include "customisation/drive_root.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"

namespace mainwindow {

void Form1::iconBoxClicked(bool checked) {
    Control& box = mutableControl(ControlId::iconBox);
    if (!box.enabled) return view_.redraw(ControlId::iconBox);
    iconChoice_ = checked;
    setIconBox(checked, true, {});
}

void Form1::setIconBox(bool checked, bool enabled, std::u16string_view toolTip) {
    Control& box = mutableControl(ControlId::iconBox);
    if (box.checked == checked && box.enabled == enabled && box.toolTip == toolTip) return;
    box.checked = checked;
    box.enabled = enabled;
    box.toolTip = toolTip;
    view_.redraw(ControlId::iconBox);
}

void Form1::showFolderIcon(const std::u16string& folder,
                           const customisation::FoundCustomisation& found) {
    // We never replace a person's icon, and a drive's comes from the drive.
    if (found.ownIcon) return setIconBox(false, false, messages::folderKeepsOwnIcon);
    if (customisation::isDriveRoot(folder)) {
        return setIconBox(false, false, messages::driveKeepsItsIcon);
    }
    setIconBox(found.ourIcon || iconChoice_, true, {});
}

bool Form1::wantsIcon() const {
    const Control& box = control(ControlId::iconBox);
    return box.enabled && box.checked;
}

}  // namespace mainwindow
