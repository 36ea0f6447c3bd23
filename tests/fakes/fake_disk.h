#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/file_store.h"

namespace fakes {

// A file system in memory. Paths compare without regard to ASCII case; a
// file can be created only in a folder that exists.
class FakeDisk : public platform::FileStore, public platform::FileAttributes {
  public:
    enum class Operation {
        read,
        createNew,
        write,
        flush,
        replace,
        rename,
        remove,
        setAttributes,
        removeIfUnchanged,
    };

    struct Entry {
        std::string bytes;
        std::uint32_t attributes = 0;
        bool isFolder = false;
        bool linked = false;        // a link to another file, or one of its several names
        std::uint64_t version = 0;  // the last-write time
    };

    void addFolder(const std::u16string& path, std::uint32_t attributes = 0);
    void addFile(const std::u16string& path, std::string bytes, std::uint32_t attributes = 0);
    bool exists(const std::u16string& path) const;
    const Entry& at(const std::u16string& path) const;
    // Every file, keyed by lower-cased path.
    std::map<std::u16string, Entry> files() const;

    // Makes every later call of the operation fail, access denied.
    void fail(Operation operation) { failures_.insert(operation); }
    // Another program holds the file: the next `times` operations on it
    // (every one when negative) fail with `error`, a sharing violation
    // unless told.
    void holdBusy(const std::u16string& path, int times,
                  platform::SystemError error = platform::error::sharingViolation) {
        busy_[key(path)] = {times, error};
    }
    // The next `times` replaces of an existing file fail with `error`,
    // leaving the files as the system documents for that code, with a
    // backup name given and without one.
    void failReplaceWith(platform::SystemError error, int times = -1) {
        replaceFailure_ = {times, error};
    }
    // Where a failed replace without a backup name leaves the old file: a
    // name of the system's choosing, which the caller is never told.
    static std::u16string systemsNameFor(const std::u16string& target) {
        return target + u".~replaced";
    }
    // Attribute changes of the path fail (a FAT drive's root), or succeed
    // and drop `dropped` (a server that does not keep them).
    void refuseAttributes(const std::u16string& path) { refused_.insert(key(path)); }
    void dropAttributes(const std::u16string& path, std::uint32_t dropped) {
        dropped_[key(path)] = dropped;
    }
    // Files that cannot be deleted or replaced, as if another program held them.
    // A file being written cannot be deleted either.
    void lock(const std::u16string& path) { locked_.insert(key(path)); }
    // Makes the file a symbolic link, or one of several hard links.
    void link(const std::u16string& path) { entries_.at(key(path)).linked = true; }

    // Each attribute value set, with its path, in order.
    std::vector<std::pair<std::u16string, std::uint32_t>> attributeLog;
    // Runs as a replace starts, as another program writing at that moment.
    std::function<void()> beforeReplace;
    // Runs as a stamp-checked delete starts.
    std::function<void()> beforeRemoveIfUnchanged;
    // How often a file was asked to be created.
    int creations = 0;
    // Each wait asked for, in milliseconds; nothing really waits.
    std::vector<std::uint32_t> pauses;

    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override;
    platform::ReadResult readToChange(const std::u16string& path, std::size_t maxBytes) override {
        return read(path, maxBytes);
    }
    platform::Created createNew(const std::u16string& path) override;
    platform::Replaced replace(const std::u16string& source, const std::u16string& target,
                               const std::optional<platform::FileStamp>& expected,
                               const std::u16string& backup) override;
    platform::Outcome rename(const std::u16string& source, const std::u16string& target) override;
    platform::Outcome remove(const std::u16string& path) override;
    platform::Replaced removeIfUnchanged(const std::u16string& path,
                                         const platform::FileStamp& expected) override;
    void pause(std::uint32_t milliseconds) override { pauses.push_back(milliseconds); }
    std::optional<std::uint32_t> get(const std::u16string& path) override;
    platform::Outcome set(const std::u16string& path, std::uint32_t value) override;

  private:
    class File;
    static std::u16string key(const std::u16string& path);
    bool failing(Operation operation) const { return failures_.count(operation) != 0; }
    // The error another program's hold gives this operation on `path`, if any.
    platform::SystemError busyError(const std::u16string& path);

    struct Countdown {
        int times = 0;
        platform::SystemError error = platform::error::none;
        // Counts one use; true while the countdown still applies.
        bool use() {
            if (times == 0) return false;
            if (times > 0) --times;
            return true;
        }
    };

    static platform::FileStamp stampOf(const Entry& entry) {
        return {entry.bytes.size(), entry.version};
    }

    std::map<std::u16string, Entry> entries_;
    std::uint64_t clock_ = 0;
    std::set<Operation> failures_;
    std::set<std::u16string> locked_;
    std::set<std::u16string> open_;  // files being written, which cannot be removed
    std::map<std::u16string, Countdown> busy_;
    Countdown replaceFailure_;
    std::set<std::u16string> refused_;
    std::map<std::u16string, std::uint32_t> dropped_;
};

}  // namespace fakes
