#include "customisation/remove.h"

#include <optional>
#include <utility>

#include "customisation/atomic_replace.h"
#include "customisation/busy_retry.h"
#include "customisation/desktop_ini.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/ensure_attributes.h"
#include "customisation/folder_mark.h"
#include "customisation/icon_file.h"
#include "customisation/ini_file.h"
#include "customisation/original_form.h"
#include "customisation/side_files.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

struct Step {
    RemoveResult result = RemoveResult::failed;
    platform::SystemError error = platform::error::none;
    // Our icon file, named by the file that was rewritten or deleted.
    std::optional<std::u16string> iconFile = std::nullopt;
};

// One read and what follows from it; nothing when the file changed before
// it could be rewritten or deleted, to be read again.
std::optional<Step> removeOnce(Disk& disk, const std::u16string& folder,
                               const std::u16string& path) {
    auto read = [&] {
        return retryWhileBusy(disk.files,
                              [&] { return disk.files.readToChange(path, largestMergedFile); });
    };
    auto file = read();
    if (file.status == platform::ReadStatus::missing) {
        if (!putBackStrandedBackup(disk, path)) return Step{RemoveResult::noFile};
        file = read();
    }
    const auto old = disk.attributes.get(path);
    if (file.status != platform::ReadStatus::ok) return Step{RemoveResult::failed, file.error};
    if (!old) return Step{RemoveResult::failed};

    // A file that cannot be put back byte for byte is not rewritten at all.
    auto lines = splitIniFile(file.bytes, disk.codePage);
    if (!lines) return Step{RemoveResult::failed};
    auto [encoding, endsWithLineEnd, original, foreign] =
        takeApart(*std::move(lines), disk.codePage);
    if (!foreign.heldOurs) return Step{RemoveResult::notOurs};
    const auto ourIconFile = foreign.ourIconFile;
    if (!foreign.empty()) {
        auto bytes = joinRestoredFile(uncustomisedLines(std::move(foreign)), encoding,
                                      endsWithLineEnd, original, disk.codePage);
        if (!bytes) return Step{RemoveResult::failed};
        // Nothing after the replace can fail: the old file need not be kept.
        auto replaced = replaceFileContents(disk, path, *bytes, file.stamp, OldFile::dropped);
        if (replaced.status == platform::ReplaceStatus::changed) return std::nullopt;
        if (replaced.status != platform::ReplaceStatus::replaced) {
            return Step{RemoveResult::failed, replaced.error};
        }
        // Apply only adds Hidden; the record tells whether it was there before.
        const std::uint32_t added = original.visible ? attribute::hidden : 0;
        ensureAttributes(disk.attributes, path, *old & attribute::settable & ~added);
        // A folder we marked loses the mark, though other settings stay: it
        // had none before, and the shell did not read them then either.
        if (original.folderHadSystem == false) unmarkFolder(disk.attributes, folder);
        return Step{RemoveResult::rewritten, platform::error::none, ourIconFile};
    }

    // Read-only, hidden and system files refuse deletion. The delete itself
    // checks, as the rewrite does, that the file is still the one read.
    auto cleared = disk.attributes.set(path, attribute::normal);
    if (!cleared) return Step{RemoveResult::failed, cleared.error};
    auto removed =
        retryWhileBusy(disk.files, [&] { return disk.files.removeIfUnchanged(path, file.stamp); });
    if (removed.status == platform::ReplaceStatus::replaced) {
        return Step{original.folderHadSystem == true ? RemoveResult::deletedFromSystemFolder
                                                     : RemoveResult::deleted,
                    platform::error::none, ourIconFile};
    }
    if (disk.attributes.get(path)) disk.attributes.set(path, *old & attribute::settable);
    if (removed.status == platform::ReplaceStatus::changed) return std::nullopt;
    return Step{RemoveResult::failed, removed.error};
}

}  // namespace

RemoveResult removeCustomisation(Disk& disk, std::u16string_view folder, FailureReason* reason) {
    const std::u16string path = desktopIniPath(folder);
    for (int attempt = 0; attempt < mergeAttempts; ++attempt) {
        if (auto step = removeOnce(disk, std::u16string(folder), path)) {
            // Only once no file names it: no hidden file of ours stays behind.
            if (step->iconFile) deleteIconFile(disk, folder, *step->iconFile);
            if (reason && step->result == RemoveResult::failed) *reason = {step->error, false};
            return step->result;
        }
    }
    return RemoveResult::failed;
}

}  // namespace customisation
