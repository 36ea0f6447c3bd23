#pragma once

#include <string_view>

#include "customisation/desktop_ini.h"
#include "customisation/disk.h"
#include "customisation/failure_reason.h"
#include "platform/folder_icon_maker.h"
#include "platform/windows_version.h"

namespace customisation {

// What became of the folder's icon.
enum class FolderIcon {
    none,     // no icon of ours: none asked for, none made, or a drive root
    ours,     // the folder's icon shows the picture
    keptOwn,  // the folder has an icon of its own, which stays
};

struct AppliedWithIcon {
    bool applied = false;
    FolderIcon icon = FolderIcon::none;
    // An icon file of ours came or went: the shell must look at the folder's
    // contents again.
    bool iconChanged = false;
};

// Whether a folder gets our icon unless asked otherwise: from Vista on,
// whose Explorer draws no background; XP and Server 2003 show the background.
inline bool iconByDefault(const platform::WindowsVersion& windows) {
    return windows.release().major >= 6;
}

// Applies the customisation and, with a `maker`, gives the folder our icon
// of its picture; without one, takes our icon away. Our previous icon file
// is deleted once the new file names another; a failed apply deletes the
// icon file it wrote, leaving the folder as it was.
AppliedWithIcon applyWithIcon(Disk& disk, std::u16string_view folder, Customisation customisation,
                              platform::FolderIconMaker* maker, FailureReason* reason = nullptr);

}  // namespace customisation
