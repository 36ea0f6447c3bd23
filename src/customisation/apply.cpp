#include "customisation/apply.h"

#include "customisation/atomic_replace.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/folder_mark.h"
#include "customisation/ini_text.h"

namespace customisation {
bool applyCustomisation(Disk& disk, std::u16string_view folder,
                        const Customisation& customisation) {
    const std::u16string path = desktopIniPath(folder);

    ForeignContent foreign;
    auto old = disk.files.read(path, largestMergedFile);
    if (old.status == platform::ReadStatus::ok) {
        foreign = foreignContent(splitLines(decodeIniFile(old.bytes, disk.codePage)));
    } else if (old.status != platform::ReadStatus::missing) {
        return false;
    }

    auto bytes = encodeIniFile(customisedLines(customisation, foreign), disk.codePage);
    if (!replaceFileContents(disk, path, bytes)) return false;

    // A visible file still customises the folder; only the folder's System
    // attribute decides whether the shell reads it.
    disk.attributes.set(path, platform::attribute::hidden);
    return markFolder(disk.attributes, std::u16string(folder));
}

}  // namespace customisation
