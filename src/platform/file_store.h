#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class ReadStatus {
    ok,
    missing,
    tooLarge,
    failed,
    // A reparse point or a file with more than one name: writing it would
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
};

enum class ReplaceStatus {
    replaced,
    changed,  // the target is no longer the version expected; nothing was done
    failed,   // nothing was done
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

    // Creates the file, hidden, only if no file of that name exists; null
    // otherwise.
    virtual std::unique_ptr<NewFile> createNew(const std::u16string& path) = 0;

    // Puts `source` in the place of `target` when `target` is still the
    // version `expected`, or, with nothing expected, when there is no
    // `target`. The old target keeps its identity (security, owner, streams)
    // for the new contents and is kept as `backup`, a name no file has.
    virtual ReplaceStatus replace(const std::u16string& source, const std::u16string& target,
                                  const std::optional<FileStamp>& expected,
                                  const std::u16string& backup) = 0;

    // Renames `source` to `target` in one step, replacing it.
    virtual bool rename(const std::u16string& source, const std::u16string& target) = 0;

    virtual bool remove(const std::u16string& path) = 0;
};

}  // namespace platform
