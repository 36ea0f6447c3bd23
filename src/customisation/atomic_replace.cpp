#include "customisation/atomic_replace.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace customisation {
namespace {

namespace attribute = platform::attribute;

// Enough names to step over files that cannot be removed: a folder of that
// name, or another instance's file still being written.
constexpr int temporaryNameTries = 64;

std::u16string temporaryName(const std::u16string& path, int n) {
    std::u16string name = path + u".~";
    for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
    return name + u".tmp";
}

std::pair<std::u16string, std::unique_ptr<platform::NewFile>> createTemporaryBeside(
    platform::FileStore& files, const std::u16string& path) {
    for (int n = 1; n <= temporaryNameTries; ++n) {
        std::u16string name = temporaryName(path, n);
        if (auto file = files.createNew(name)) return {name, std::move(file)};
        // A leftover of a run that crashed: nobody holds it open any more.
        if (!files.remove(name)) continue;
        if (auto file = files.createNew(name)) return {name, std::move(file)};
    }
    return {};
}

// A name beside `path` that no file has, for the old file once replaced.
// Asked of the attributes: making a file to find the name and deleting it
// again cost two writes to the folder.
std::optional<std::u16string> freeNameBeside(platform::FileAttributes& attributes,
                                             const std::u16string& path) {
    for (int n = 1; n <= temporaryNameTries; ++n) {
        std::u16string name = temporaryName(path, n);
        if (!attributes.get(name)) return name;
    }
    return std::nullopt;
}

}  // namespace

Replacement replaceFileContents(Disk& disk, const std::u16string& path, std::string_view bytes,
                                const std::optional<platform::FileStamp>& expected) {
    auto [temporaryPath, temporary] = createTemporaryBeside(disk.files, path);
    if (!temporary) return {};
    const bool written = temporary->write(bytes) && temporary->flush();
    // Found while the new file is still open, so that its name is not free.
    std::optional<std::u16string> backup;
    if (written && expected) backup = freeNameBeside(disk.attributes, path);
    temporary.reset();
    if (!written || (expected && !backup)) {
        disk.files.remove(temporaryPath);
        return {};
    }

    // A read-only file refuses to be replaced, and a hidden or system one to
    // be renamed over.
    constexpr std::uint32_t blocking = attribute::readOnly | attribute::hidden | attribute::system;
    const auto old = expected ? disk.attributes.get(path) : std::nullopt;
    const bool clear = old && (*old & attribute::directory) == 0 && (*old & blocking) != 0;
    if (clear && !disk.attributes.set(path, *old & attribute::settable & ~blocking)) {
        disk.files.remove(temporaryPath);
        return {};
    }
    const auto status = disk.files.replace(temporaryPath, path, expected, backup.value_or(u""));
    if (status != platform::ReplaceStatus::replaced) {
        if (clear) disk.attributes.set(path, *old & attribute::settable);
        disk.files.remove(temporaryPath);
        return {status, std::nullopt};
    }
    return {status, backup};
}

}  // namespace customisation
