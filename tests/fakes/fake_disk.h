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
    enum class Operation { read, createNew, write, flush, replace, rename, remove, setAttributes };

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

    // Makes every later call of the operation fail.
    void fail(Operation operation) { failures_.insert(operation); }
    // Files that cannot be deleted or replaced, as if another program held them.
    // A file being written cannot be deleted either.
    void lock(const std::u16string& path) { locked_.insert(key(path)); }
    // Makes the file a symbolic link, or one of several hard links.
    void link(const std::u16string& path) { entries_.at(key(path)).linked = true; }

    // Each attribute value set, with its path, in order.
    std::vector<std::pair<std::u16string, std::uint32_t>> attributeLog;
    // Runs as a replace starts, as another program writing at that moment.
    std::function<void()> beforeReplace;

    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override;
    std::unique_ptr<platform::NewFile> createNew(const std::u16string& path) override;
    platform::ReplaceStatus replace(const std::u16string& source, const std::u16string& target,
                                    const std::optional<platform::FileStamp>& expected,
                                    const std::u16string& backup) override;
    bool rename(const std::u16string& source, const std::u16string& target) override;
    bool remove(const std::u16string& path) override;
    std::optional<std::uint32_t> get(const std::u16string& path) override;
    bool set(const std::u16string& path, std::uint32_t value) override;

  private:
    class File;
    static std::u16string key(const std::u16string& path);
    bool failing(Operation operation) const { return failures_.count(operation) != 0; }

    static platform::FileStamp stampOf(const Entry& entry) {
        return {entry.bytes.size(), entry.version};
    }

    std::map<std::u16string, Entry> entries_;
    std::uint64_t clock_ = 0;
    std::set<Operation> failures_;
    std::set<std::u16string> locked_;
    std::set<std::u16string> open_;  // files being written, which cannot be removed
};

}  // namespace fakes
