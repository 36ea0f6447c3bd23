// The apply, read and remove commands of the main window.
#include <chrono>
#include <memory>

#include "customisation/apply_with_icon.h"
#include "customisation/colour_text.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/failure_text.h"
#include "customisation/input_checks.h"
#include "customisation/read.h"
#include "customisation/restore.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"

namespace mainwindow {

namespace {

// About the pause between two words of typing.
constexpr std::chrono::milliseconds networkReadPause{500};

// Only the Explorer of Windows XP and Server 2003 (5.x) draws what was
// written; elsewhere the person would look for the background in vain.
// Where our icon carries the picture, that is where the person will see it.
std::u16string appliedMessage(const platform::WindowsVersion& windows,
                              customisation::FolderIcon icon) {
    std::u16string text(messages::applied);
    if (windows.release().major >= 6) {
        text += u'\n';
        text += icon == customisation::FolderIcon::ours ? messages::pictureOnIcon
                                                        : messages::backgroundShowsOnXp;
    }
    return text;
}

}  // namespace

std::u16string Form1::failureText(std::u16string_view message,
                                  const customisation::FailureReason& reason) const {
    std::u16string text(message);
    const std::u16string why = customisation::reasonText(reason, services_.errors);
    if (!why.empty()) text.append(u"\n").append(why);
    return text;
}

void Form1::Image5_Click() {
    auto& dialog = services_.messages;
    if (!customisation::isSafePicturePath(text(ControlId::img))) {
        return dialog.show(messages::noPicture, messages::errorTitle);
    }
    if (text(ControlId::fold).empty()) {
        return dialog.show(messages::noFolder, messages::errorTitle);
    }
    auto colour =
        customisation::rgbColourText(text(ControlId::color), services_.locale.decimalSeparator(),
                                     customisation::WebForm::refused);
    if (!colour) return dialog.show(messages::noColour, messages::errorTitle);

    const std::u16string folder = text(ControlId::fold);
    customisation::Customisation customisation{text(ControlId::img), *colour};
    struct Outcome {
        customisation::AppliedWithIcon applied;
        customisation::FailureReason reason;
    };
    auto outcome = std::make_shared<Outcome>();
    // The icon is made on the worker: decoding a large photograph takes a while.
    platform::FolderIconMaker* icons = wantsIcon() ? &services_.icons : nullptr;
    runCommand(
        [disk = services_.disk, folder, customisation, icons, outcome]() mutable {
            outcome->applied =
                customisation::applyWithIcon(disk, folder, customisation, icons, &outcome->reason);
        },
        [this, folder, outcome] {
            auto& dialog = services_.messages;
            if (outcome->applied.applied) {
                services_.shell.folderChanged(folder);
                if (outcome->applied.iconChanged) services_.shell.folderContentsChanged(folder);
                dialog.show(appliedMessage(services_.windows, outcome->applied.icon), u"");
            } else {
                dialog.show(failureText(messages::applyFailed, outcome->reason),
                            messages::errorTitle);
            }
        });
}

void Form1::runCommand(std::function<void()> work, std::function<void()> done) {
    view_.acceptInput(false);
    services_.background.run(
        std::move(work),
        [this, done = std::move(done)] {
            view_.acceptInput(true);
            done();
        },
        false);
}

void Form1::fold_Change() {
    setPreview(nullptr);
    setText(ControlId::img, u"");
    setText(ControlId::color, std::u16string(customisation::noColourText));

    // Asking for \\f, \\fi, ... while a server's name is typed would make
    // Windows look up each name in turn and offer the person's credentials
    // to whatever machine answers one: a network folder is read only once
    // its text has stood still.
    const std::u16string folder = text(ControlId::fold);
    showFolderIcon(folder, {});
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
        [disk = services_.disk, folder, found]() mutable {
            *found = customisation::readCustomisation(disk, folder);
        },
        [this, folder, found] { folderRead(folder, *found); }, true);
}

void Form1::folderRead(const std::u16string& folder,
                       const customisation::FoundCustomisation& found) {
    // What was read for another text of the box is not this folder's.
    if (text(ControlId::fold) != folder) return;
    showFolderIcon(folder, found);
    if (found.picturePath) {
        // A picture beside the file lies where the person chose to look,
        // even on a share; any other is only named by the folder's file.
        imgNamedByFolder_ = !found.pictureInFolder;
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

    struct Outcome {
        customisation::RemoveResult result = customisation::RemoveResult::failed;
        customisation::FailureReason reason;
    };
    auto outcome = std::make_shared<Outcome>();
    runCommand(
        [disk = services_.disk, folder, outcome]() mutable {
            outcome->result = customisation::removeCustomisation(disk, folder, &outcome->reason);
        },
        [this, folder, outcome] {
            auto& dialog = services_.messages;
            const auto result = outcome->result;
            if (result == customisation::RemoveResult::failed) {
                return dialog.show(failureText(messages::removeFailed, outcome->reason),
                                   messages::errorTitle);
            }
            if (result == customisation::RemoveResult::noFile ||
                result == customisation::RemoveResult::notOurs) {
                return;
            }
            dialog.show(messages::removed, u"");
            // After the message, as ever; on the disk's side too.
            runCommand([attributes = &services_.disk.attributes, folder,
                        result] { customisation::finishRestore(*attributes, folder, result); },
                       [this, folder] { services_.shell.folderChanged(folder); });
        });
}

}  // namespace mainwindow
