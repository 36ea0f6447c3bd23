#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_error.h"

namespace platform {

enum class ReadStatus {
    ok,
    missing,
    tooLarge,
    failed,
    // A link (symbolic link, junction, mount point), a file with more than
    // one name, or an entry that resolves to another place: writing it would
    // change a file elsewhere.
    linked,
};

// What tells one version of a file from the next.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ReadResult {
    ReadStatus status = ReadStatus::failed;
    std::string bytes;
    FileStamp stamp;
    SystemError error = error::none;
};

enum class ReplaceStatus {
    replaced,
    changed,  // the target is no longer the version expected; nothing was done
    failed,   // nothing was done, unless `Replaced` says otherwise below
};

struct Replaced {
    ReplaceStatus status = ReplaceStatus::failed;
    SystemError error = error::none;
    // After a failure that left the old file under the backup name and no
    // file at the target (the system's "unable to move replacement 2").
    bool strandedInBackup = false;
    // After a failure that left no file at the target and the old one under
    // no name we know (the system's "unable to move replacement", with or
    // without the 2, when no backup name was given): the source still holds
    // the new contents, now the only copy of what the target is to hold.
    bool oldFileGone = false;
};

// A file created exclusively by `FileStore::createNew`; closed when destroyed.
class NewFile {
  public:
    virtual ~NewFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Pushes the data to the disk, so a rename that follows cannot expose a
    // file whose contents are still only in memory.
    virtual bool flush() = 0;
    // Why the last write or flush failed.
    virtual SystemError error() const = 0;
};

struct Created {
    std::unique_ptr<NewFile> file;  // null on failure
    SystemError error = error::none;

    explicit operator bool() const { return file != nullptr; }
    NewFile* operator->() const { return file.get(); }
};

// Whole-file reads, exclusive creation, replace and delete.
class FileStore {
  public:
    virtual ~FileStore() = default;

    // Reads the whole file when it holds at most `maxBytes` bytes.
    virtual ReadResult read(const std::u16string& path, std::size_t maxBytes) = 0;

    // The same, for a file about to be changed: also `linked` when the name
    // resolves to another place (a Unix symbolic link seen through Wine),
    // which costs a look at the folder as well.
    virtual ReadResult readToChange(const std::u16string& path, std::size_t maxBytes) = 0;

    // Creates the file, hidden, only if no file of that name exists.
    virtual Created createNew(const std::u16string& path) = 0;

    // Puts `source` in the place of `target` when `target` is still the
    // version `expected`, or, with nothing expected, when there is no
    // `target`. The old target keeps its identity (security, owner, streams)
    // for the new contents and is kept as `backup`, a name no file has, or
    // is gone when `backup` is empty.
    // A target that is a link, or resolves to another place, is refused.
    virtual Replaced replace(const std::u16string& source, const std::u16string& target,
                             const std::optional<FileStamp>& expected,
                             const std::u16string& backup) = 0;

    // Renames `source` to `target` in one step, replacing it.
    virtual Outcome rename(const std::u16string& source, const std::u16string& target) = 0;

    virtual Outcome remove(const std::u16string& path) = 0;

    // Deletes the file only while it is still the version `expected` and the
    // folder's own entry (no link, no second name): `replaced` when gone.
    virtual Replaced removeIfUnchanged(const std::u16string& path, const FileStamp& expected) = 0;

    // Waits before a busy file is tried again.
    virtual void pause(std::uint32_t milliseconds) = 0;
};

}  // namespace platform
