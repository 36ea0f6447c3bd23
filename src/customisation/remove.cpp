#include "customisation/remove.h"

#include <optional>

#include "customisation/atomic_replace.h"
#include "customisation/desktop_ini.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/ini_file.h"
#include "customisation/original_form.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

// One read and what follows from it; nothing when the file changed before
// it could be rewritten, to be read again.
std::optional<RemoveResult> removeOnce(Disk& disk, const std::u16string& path) {
    auto file = disk.files.read(path, largestMergedFile);
    if (file.status == platform::ReadStatus::missing) return RemoveResult::noFile;
    const auto old = disk.attributes.get(path);
    if (file.status != platform::ReadStatus::ok || !old) return RemoveResult::failed;

    // A file that cannot be put back byte for byte is not rewritten at all.
    auto lines = splitIniFile(file.bytes, disk.codePage);
    if (!lines) return RemoveResult::failed;
    const auto [before, original, foreign] = takeApart(*std::move(lines), disk.codePage);
    if (!foreign.heldOurs) return RemoveResult::notOurs;
    if (!foreign.empty()) {
        auto bytes = joinRestoredFile(uncustomisedLines(foreign), before.encoding,
                                      before.endsWithLineEnd, original, disk.codePage);
        if (!bytes) return RemoveResult::failed;
        auto replaced = replaceFileContents(disk, path, *bytes, file.stamp);
        if (replaced.status == platform::ReplaceStatus::changed) return std::nullopt;
        if (replaced.status != platform::ReplaceStatus::replaced) return RemoveResult::failed;
        if (replaced.backup) disk.files.remove(*replaced.backup);
        // Apply only adds Hidden; the record tells whether it was there before.
        const std::uint32_t added = original.visible ? attribute::hidden : 0;
        disk.attributes.set(path, *old & attribute::settable & ~added);
        return RemoveResult::rewritten;
    }

    // Read-only, hidden and system files refuse deletion.
    if (!disk.attributes.set(path, attribute::normal)) return RemoveResult::failed;
    if (!disk.files.remove(path)) {
        disk.attributes.set(path, *old & attribute::settable);
        return RemoveResult::failed;
    }
    return RemoveResult::deleted;
}

}  // namespace

RemoveResult removeCustomisation(Disk& disk, std::u16string_view folder) {
    const std::u16string path = desktopIniPath(folder);
    for (int attempt = 0; attempt < mergeAttempts; ++attempt) {
        if (auto result = removeOnce(disk, path)) return *result;
    }
    return RemoveResult::failed;
}

}  // namespace customisation
