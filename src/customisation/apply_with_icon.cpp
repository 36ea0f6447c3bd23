#include "customisation/apply_with_icon.h"

#include "customisation/apply.h"
#include "customisation/drive_root.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/icon_file.h"
#include "customisation/ini_line.h"

namespace customisation {

AppliedWithIcon applyWithIcon(Disk& disk, std::u16string_view folder, Customisation customisation,
                              platform::FolderIconMaker* maker, FailureReason* reason) {
    const auto before = readFolderIconLines(disk, folder);
    FolderIcon icon = FolderIcon::none;
    std::optional<std::u16string> written;
    // A drive's root takes its icon from Autorun.inf and the registry.
    if (maker && before.ownIcon) {
        icon = FolderIcon::keptOwn;
    } else if (maker && !isDriveRoot(folder)) {
        if (auto bytes = maker->makeIcon(customisation.picturePath)) {
            const auto name = iconFileName(*bytes);
            const auto put = putIconFile(disk, folder, name, *bytes);
            if (!put.ok) {
                if (reason) *reason = {put.error, false};
                return {};
            }
            if (put.created) written = name;
            customisation.iconFile = name;
            icon = FolderIcon::ours;
        }
    }
    if (!applyCustomisation(disk, folder, customisation, reason)) {
        if (written) deleteIconFile(disk, folder, *written);
        return {};
    }
    const bool stillNamed = before.ourIconFile && customisation.iconFile &&
                            equalsIgnoringCase(*before.ourIconFile, *customisation.iconFile);
    if (before.ourIconFile && !stillNamed) deleteIconFile(disk, folder, *before.ourIconFile);
    return {true, icon, written.has_value() || (before.ourIconFile && !stillNamed)};
}

}  // namespace customisation
