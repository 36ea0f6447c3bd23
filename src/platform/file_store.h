#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

enum class ReadStatus { ok, missing, tooLarge, failed };

struct ReadResult {
    ReadStatus status = ReadStatus::failed;
    std::string bytes;
};

// A file created exclusively by `FileStore::createNew`; closed when destroyed.
class NewFile {
  public:
    virtual ~NewFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Pushes the data to the disk, so a rename that follows cannot expose a
    // file whose contents are still only in memory.
    virtual bool flush() = 0;
};

// Whole-file reads, exclusive creation, replace and delete.
class FileStore {
  public:
    virtual ~FileStore() = default;

    // Reads the whole file when it holds at most `maxBytes` bytes.
    virtual ReadResult read(const std::u16string& path, std::size_t maxBytes) = 0;

    // Creates the file only if no file of that name exists; null otherwise.
    virtual std::unique_ptr<NewFile> createNew(const std::u16string& path) = 0;

    // Puts `source` in the place of `target` in one step, replacing it.
    virtual bool replace(const std::u16string& source, const std::u16string& target) = 0;

    virtual bool remove(const std::u16string& path) = 0;
};

}  // namespace platform
