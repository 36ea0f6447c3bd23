// The apply, read and remove commands of the main window.
#include <algorithm>
#include <chrono>
#include <memory>

#include "customisation/apply.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/folder_mark.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "mainwindow/colour.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"
#include "mainwindow/text_to_number.h"

namespace mainwindow {
namespace {

// About the pause between two words of typing.
constexpr std::chrono::milliseconds networkReadPause{500};

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

    const std::u16string folder = text(ControlId::fold);
    customisation::Customisation customisation{text(ControlId::img), decimalText(*colour)};
    auto applied = std::make_shared<bool>(false);
    runCommand(
        [disk = customisationDisk(), folder, customisation, applied]() mutable {
            *applied = customisation::applyCustomisation(disk, folder, customisation);
        },
        [this, applied] {
            auto& dialog = services_.messages;
            if (*applied) {
                dialog.show(messages::applied, u"");
            } else {
                dialog.show(messages::applyFailed, messages::errorTitle);
            }
        });
}

void Form1::runCommand(std::function<void()> work, std::function<void()> done) {
    services_.frame.acceptInput(false);
    services_.background.run(
        std::move(work),
        [this, done = std::move(done)] {
            services_.frame.acceptInput(true);
            done();
        },
        false);
}

void Form1::fold_Change() {
    setPreview(nullptr);
    setText(ControlId::img, u"");
    setText(ControlId::color, u"0");

    // Asking for \\f, \\fi, ... while a server's name is typed would make
    // Windows look up each name in turn and offer the person's credentials
    // to whatever machine answers one: a network folder is read only once
    // its text has stood still.
    const std::u16string folder = text(ControlId::fold);
    if (services_.network.isOnNetwork(customisation::desktopIniPath(folder))) {
        return services_.pause.runAfter(networkReadPause,
                                        [this] { readFolder(text(ControlId::fold)); });
    }
    services_.pause.cancel();
    readFolder(folder);
}

void Form1::readFolder(const std::u16string& folder) {
    // Read off the window's thread: the folder may be on a slow or
    // unreachable drive, and the box may change at every keystroke.
    auto found = std::make_shared<customisation::FoundCustomisation>();
    services_.background.run(
        [disk = customisationDisk(), folder, found]() mutable {
            *found = customisation::readCustomisation(disk, folder);
        },
        [this, folder, found] { folderRead(folder, *found); }, true);
}

void Form1::folderRead(const std::u16string& folder,
                       const customisation::FoundCustomisation& found) {
    // What was read for another text of the box is not this folder's.
    if (text(ControlId::fold) != folder) return;
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

    auto result = std::make_shared<customisation::RemoveResult>();
    runCommand([disk = customisationDisk(), folder,
                result]() mutable { *result = customisation::removeCustomisation(disk, folder); },
               [this, folder, result] {
                   auto& dialog = services_.messages;
                   switch (*result) {
                       case customisation::RemoveResult::noFile:
                       case customisation::RemoveResult::notOurs:
                           return;
                       case customisation::RemoveResult::failed:
                           return dialog.show(messages::removeFailed, messages::errorTitle);
                       case customisation::RemoveResult::rewritten:
                           // Other settings still need the shell to read the file,
                           // so the folder keeps its attributes.
                           return dialog.show(messages::removed, u"");
                       case customisation::RemoveResult::deleted:
                           dialog.show(messages::removed, u"");
                           // After the message, as ever; on the disk's side too.
                           runCommand(
                               [attributes = &services_.attributes, folder] {
                                   customisation::unmarkFolder(*attributes, folder);
                               },
                               [] {});
                           return;
                   }
               });
}

}  // namespace mainwindow
