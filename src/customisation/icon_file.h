#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "customisation/disk.h"

namespace customisation {

// The path of a file directly inside `folder`.
std::u16string pathInFolder(std::u16string_view folder, std::u16string_view name);

struct IconFilePut {
    bool ok = false;
    // A new file: a failed apply deletes it again. An identical file of ours
    // already there is used as it is, and kept.
    bool created = false;
    platform::SystemError error = platform::error::none;
};

// Writes our icon into the folder under `name`, Hidden and System like
// Desktop.ini, by the same temporary file and single replace, so that the
// shell never reads half an icon.
IconFilePut putIconFile(Disk& disk, std::u16string_view folder, const std::u16string& name,
                        std::string_view bytes);

// Deletes an icon file of ours; a name of any other pattern is left alone.
void deleteIconFile(Disk& disk, std::u16string_view folder, const std::u16string& name);

// What a folder's Desktop.ini says of its icon, as applying reads it.
struct FolderIconLines {
    std::optional<std::u16string> ourIconFile;
    bool ownIcon = false;
};
FolderIconLines readFolderIconLines(Disk& disk, std::u16string_view folder);

}  // namespace customisation
