#include "customisation/remove.h"

#include "customisation/atomic_replace.h"
#include "customisation/desktop_ini.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/ini_file.h"

namespace customisation {
RemoveResult removeCustomisation(Disk& disk, std::u16string_view folder) {
    namespace attribute = platform::attribute;
    const std::u16string path = desktopIniPath(folder);
    auto file = disk.files.read(path, largestMergedFile);
    if (file.status == platform::ReadStatus::missing) return RemoveResult::noFile;
    const auto old = disk.attributes.get(path);
    if (file.status != platform::ReadStatus::ok || !old) return RemoveResult::failed;

    // A file that cannot be put back byte for byte is not rewritten at all.
    const auto lines = splitIniFile(file.bytes, disk.codePage);
    if (!lines) return RemoveResult::failed;
    auto foreign = foreignContent(lines->lines);
    if (!foreign.heldOurs) return RemoveResult::notOurs;
    if (!foreign.empty()) {
        auto bytes = joinIniFile(uncustomisedLines(foreign), lines->encoding,
                                 lines->endsWithLineEnd, disk.codePage);
        if (!bytes || !replaceFileContents(disk, path, *bytes)) return RemoveResult::failed;
        disk.attributes.set(path, *old & ~attribute::directory);
        return RemoveResult::rewritten;
    }

    // Read-only, hidden and system files refuse deletion.
    if (!disk.attributes.set(path, attribute::normal)) return RemoveResult::failed;
    if (!disk.files.remove(path)) {
        disk.attributes.set(path, *old);
        return RemoveResult::failed;
    }
    return RemoveResult::deleted;
}

}  // namespace customisation
