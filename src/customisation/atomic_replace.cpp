#include "customisation/atomic_replace.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "customisation/busy_retry.h"
#include "customisation/side_files.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;
namespace error = platform::error;

bool nameTaken(platform::SystemError code) {
    return code == error::fileExists || code == error::alreadyExists;
}

struct Temporary {
    std::u16string path;
    platform::Created created;
};

// Steps over names only while they are taken: a leftover of a run that
// crashed is deleted, one still held is passed by. Any other failure (no
// such folder, access denied) ends the search at once.
Temporary createTemporaryBeside(platform::FileStore& files, const std::u16string& path) {
    auto create = [&](const std::u16string& name) {
        return retryWhileBusy(files, [&] { return files.createNew(name); });
    };
    platform::Created last;
    for (int n = 1; n <= temporaryNameCount; ++n) {
        std::u16string name = temporaryName(path, n);
        last = create(name);
        if (last || !nameTaken(last.error)) return {std::move(name), std::move(last)};
        if (!files.remove(name)) continue;
        last = create(name);
        if (last || !nameTaken(last.error)) return {std::move(name), std::move(last)};
    }
    return {{}, std::move(last)};
}

// A backup name beside `path` that no file has. A file under such a name is
// never deleted: it may hold a folder's only copy of its old file. Asked of
// the attributes: a placeholder file made to hold the name would cost two
// writes, and one left by a crash would pass for a backup.
std::pair<std::optional<std::u16string>, platform::SystemError> freeBackupName(
    platform::FileAttributes& attributes, const std::u16string& path) {
    for (int n = 1; n <= backupNameCount; ++n) {
        std::u16string name = backupName(path, n);
        if (!attributes.get(name)) return {std::move(name), error::none};
    }
    return {std::nullopt, error::alreadyExists};
}

// ReplaceFileW's failures that leave both files under their own names (for
// "unable to move replacement", only when a backup name is given): worth
// trying again while the file is held.
bool replaceBusy(const platform::Replaced& result) {
    if (result.status != platform::ReplaceStatus::failed || result.strandedInBackup ||
        result.oldFileGone) {
        return false;
    }
    return isBusy(result.error) || result.error == error::unableToRemoveReplaced ||
           result.error == error::unableToMoveReplacement;
}

// Moves the new file into a place left empty, never over a file someone made
// there meanwhile.
bool moveIntoEmptyPlace(platform::FileStore& files, const std::u16string& from,
                        const std::u16string& to) {
    const auto moved =
        retryWhileBusy(files, [&] { return files.replace(from, to, std::nullopt, u""); });
    return moved.status == platform::ReplaceStatus::replaced;
}

// The old file left its name and the temporary file holds the only copy of
// what is to take its place: deleting it would lose both. It goes into the
// empty place; failing that, under a backup name, which the next apply or
// restore puts back (a temporary name would be deleted as a leftover).
bool keepTheOnlyCopy(Disk& disk, const std::u16string& temporaryPath, const std::u16string& path) {
    if (moveIntoEmptyPlace(disk.files, temporaryPath, path)) return true;
    const auto backup = freeBackupName(disk.attributes, path).first;
    if (backup && moveIntoEmptyPlace(disk.files, temporaryPath, *backup)) hideBackup(disk, *backup);
    return false;
}

}  // namespace

Replacement replaceFileContents(Disk& disk, const std::u16string& path, std::string_view bytes,
                                const std::optional<platform::FileStamp>& expected,
                                OldFile oldFile) {
    auto& files = disk.files;
    Temporary made = createTemporaryBeside(files, path);
    const std::u16string& temporaryPath = made.path;
    platform::Created& temporary = made.created;
    if (!temporary) return {platform::ReplaceStatus::failed, temporary.error, std::nullopt};
    auto removeTemporary = [&] {
        retryWhileBusy(files, [&] { return files.remove(temporaryPath); });
    };
    const bool written = temporary->write(bytes) && temporary->flush();
    const platform::SystemError writeError = written ? error::none : temporary->error();
    // Found while the new file is still open, so that it cannot be taken
    // for a leftover.
    std::optional<std::u16string> backup;
    platform::SystemError backupError = error::none;
    const bool keepOld = expected && oldFile == OldFile::kept;
    if (written && keepOld) std::tie(backup, backupError) = freeBackupName(disk.attributes, path);
    temporary.file.reset();
    if (!written || (keepOld && !backup)) {
        removeTemporary();
        return {platform::ReplaceStatus::failed, written ? backupError : writeError, std::nullopt};
    }

    // A read-only file refuses to be replaced, and a hidden or system one to
    // be renamed over.
    constexpr std::uint32_t blocking = attribute::readOnly | attribute::hidden | attribute::system;
    const auto old = expected ? disk.attributes.get(path) : std::nullopt;
    const std::uint32_t oldAttributes = old.value_or(0);
    const bool clear =
        old && (oldAttributes & attribute::directory) == 0 && (oldAttributes & blocking) != 0;
    if (clear) {
        auto cleared = disk.attributes.set(path, oldAttributes & attribute::settable & ~blocking);
        if (!cleared) {
            removeTemporary();
            return {platform::ReplaceStatus::failed, cleared.error, std::nullopt};
        }
    }
    const auto result = retryWhileBusy(
        files, [&] { return files.replace(temporaryPath, path, expected, backup.value_or(u"")); },
        replaceBusy);
    if (result.status == platform::ReplaceStatus::replaced) {
        return {result.status, error::none, backup};
    }
    if (result.oldFileGone) {
        if (keepTheOnlyCopy(disk, temporaryPath, path)) {
            return {platform::ReplaceStatus::replaced, error::none, std::nullopt};
        }
        return {platform::ReplaceStatus::failed, result.error, std::nullopt};
    }
    if (result.strandedInBackup && backup && !moveIntoEmptyPlace(files, *backup, path)) {
        // The old file is under the backup name and cannot go back: the new
        // one takes the empty place instead, as a replace that kept a backup
        // would have left them. Only when neither can move does the place
        // stay empty, the old file a hidden backup that the next apply or
        // restore puts back.
        if (moveIntoEmptyPlace(files, temporaryPath, path)) {
            return {platform::ReplaceStatus::replaced, error::none, backup};
        }
        hideBackup(disk, *backup);
        removeTemporary();
        return {platform::ReplaceStatus::failed, result.error, std::nullopt};
    }
    if (clear) disk.attributes.set(path, oldAttributes & attribute::settable);
    removeTemporary();
    return {result.status, result.error, std::nullopt};
}

}  // namespace customisation
