#include "foldermenu/folder_menu.h"

#include <array>
#include <utility>

namespace foldermenu {
namespace {

// Folders, and drive roots such as a USB stick, which are not folders to
// the shell.
constexpr std::array entryKeys{u"Software\\Classes\\Directory\\shell\\FolderBackground",
                               u"Software\\Classes\\Drive\\shell\\FolderBackground"};

std::u16string commandKey(const char16_t* entry) { return std::u16string(entry) + u"\\command"; }

}  // namespace

FolderMenuEntry::FolderMenuEntry(platform::UserRegistry& registry, std::u16string program)
    : registry_(registry), program_(std::move(program)) {}

std::u16string FolderMenuEntry::command() const { return u"\"" + program_ + u"\" \"%1\""; }

bool FolderMenuEntry::pointsHere() const {
    for (const char16_t* entry : entryKeys) {
        if (registry_.text(commandKey(entry), u"") != command()) return false;
    }
    return true;
}

bool FolderMenuEntry::add() {
    const std::u16string label(text);
    for (const char16_t* entry : entryKeys) {
        // The default value names the entry up to XP; MUIVerb from Vista on.
        const bool written = registry_.setText(entry, u"", label) &&
                             registry_.setText(entry, u"MUIVerb", label) &&
                             registry_.setText(entry, u"Icon", program_ + u",0") &&
                             // Offered for one folder, as the window works
                             // on one: without it ten selected folders open
                             // ten windows, and from sixteen on the entry
                             // vanishes.
                             registry_.setText(entry, u"MultiSelectModel", u"Single") &&
                             registry_.setText(commandKey(entry), u"", command());
        if (!written) {
            remove();
            return false;
        }
    }
    return true;
}

bool FolderMenuEntry::remove() {
    bool removed = true;
    for (const char16_t* entry : entryKeys) {
        removed = registry_.removeKey(commandKey(entry)) && removed;
        removed = registry_.removeKey(entry) && removed;
    }
    return removed;
}

}  // namespace foldermenu
