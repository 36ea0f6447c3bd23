#include "customisation/atomic_replace.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace customisation {
namespace {

namespace attribute = platform::attribute;

// Enough tries to step over temporary files left by a crash or power cut.
constexpr int temporaryNameTries = 16;

std::pair<std::u16string, std::unique_ptr<platform::NewFile>> createTemporaryBeside(
    platform::FileStore& files, const std::u16string& path) {
    for (int n = 1; n <= temporaryNameTries; ++n) {
        std::u16string name = path + u".~";
        for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
        name += u".tmp";
        if (auto file = files.createNew(name)) return {name, std::move(file)};
    }
    return {};
}

}  // namespace

bool replaceFileContents(Disk& disk, const std::u16string& path, std::string_view bytes) {
    auto [temporaryPath, temporary] = createTemporaryBeside(disk.files, path);
    if (!temporary) return false;
    bool written = temporary->write(bytes) && temporary->flush();
    temporary.reset();
    if (!written) {
        disk.files.remove(temporaryPath);
        return false;
    }

    // A read-only, hidden or system file refuses to be replaced.
    constexpr std::uint32_t blocking = attribute::readOnly | attribute::hidden | attribute::system;
    const auto old = disk.attributes.get(path);
    const bool clear = old && (*old & attribute::directory) == 0 && (*old & blocking) != 0;
    if (clear && !disk.attributes.set(path, attribute::normal)) {
        disk.files.remove(temporaryPath);
        return false;
    }
    if (!disk.files.replace(temporaryPath, path)) {
        if (clear) disk.attributes.set(path, *old);
        disk.files.remove(temporaryPath);
        return false;
    }
    return true;
}

}  // namespace customisation
