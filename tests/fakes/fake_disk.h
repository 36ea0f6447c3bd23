#pragma once

#include <cstdint>
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
    enum class Operation { read, createNew, write, flush, replace, remove, setAttributes };

    struct Entry {
        std::string bytes;
        std::uint32_t attributes = 0;
        bool isFolder = false;
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
    void lock(const std::u16string& path) { locked_.insert(key(path)); }

    // Each attribute value set, with its path, in order.
    std::vector<std::pair<std::u16string, std::uint32_t>> attributeLog;

    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override;
    std::unique_ptr<platform::NewFile> createNew(const std::u16string& path) override;
    bool replace(const std::u16string& source, const std::u16string& target) override;
    bool remove(const std::u16string& path) override;
    std::optional<std::uint32_t> get(const std::u16string& path) override;
    bool set(const std::u16string& path, std::uint32_t value) override;

  private:
    class File;
    static std::u16string key(const std::u16string& path);
    bool failing(Operation operation) const { return failures_.count(operation) != 0; }

    std::map<std::u16string, Entry> entries_;
    std::set<Operation> failures_;
    std::set<std::u16string> locked_;
};

}  // namespace fakes
