// The apply, read and remove commands of the main window.
#include <algorithm>

#include "customisation/apply.h"
#include "customisation/folder_mark.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "mainwindow/colour.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"
#include "mainwindow/text_to_number.h"

namespace mainwindow {
namespace {

// A control character in the picture path would start a new line of the
// file and so forge keys of its own.
bool isSafePicturePath(std::u16string_view path) {
    return !path.empty() &&
           std::none_of(path.begin(), path.end(), [](char16_t c) { return c < u' '; });
}

}  // namespace

customisation::Disk Form1::customisationDisk() const {
    return {services_.files, services_.attributes, services_.codePage};
}

void Form1::Image5_Click() {
    auto& dialog = services_.messages;
    if (!isSafePicturePath(text(ControlId::img))) {
        return dialog.show(messages::noPicture, messages::errorTitle);
    }
    if (text(ControlId::fold).empty()) {
        return dialog.show(messages::noFolder, messages::errorTitle);
    }
    auto colour = colourNumber();
    if (!colour || !isRgbColour(*colour)) {
        return dialog.show(messages::noColour, messages::errorTitle);
    }

    auto disk = customisationDisk();
    customisation::Customisation customisation{text(ControlId::img), decimalText(*colour)};
    if (customisation::applyCustomisation(disk, text(ControlId::fold), customisation)) {
        dialog.show(messages::applied, u"");
    } else {
        dialog.show(messages::applyFailed, messages::errorTitle);
    }
}

void Form1::fold_Change() {
    setPreview(nullptr);
    setText(ControlId::img, u"");
    setText(ControlId::color, u"0");

    auto disk = customisationDisk();
    auto found = customisation::readCustomisation(disk, text(ControlId::fold));
    if (found.picturePath) {
        imgNamedByFolder_ = true;
        setText(ControlId::img, *found.picturePath);
        imgNamedByFolder_ = false;
    }
    if (found.colour) setText(ControlId::color, *found.colour);
}

void Form1::Image4_Click() {
    auto& dialog = services_.messages;
    const std::u16string folder = text(ControlId::fold);
    if (folder.empty()) return dialog.show(messages::noFolder, messages::errorTitle);
    setText(ControlId::img, u"");

    auto disk = customisationDisk();
    switch (customisation::removeCustomisation(disk, folder)) {
        case customisation::RemoveResult::noFile:
        case customisation::RemoveResult::notOurs:
            return;
        case customisation::RemoveResult::failed:
            return dialog.show(messages::removeFailed, messages::errorTitle);
        case customisation::RemoveResult::rewritten:
            // Other settings still need the shell to read the file, so the
            // folder keeps its attributes.
            return dialog.show(messages::removed, u"");
        case customisation::RemoveResult::deleted:
            dialog.show(messages::removed, u"");
            customisation::unmarkFolder(services_.attributes, folder);
            return;
    }
}

}  // namespace mainwindow
