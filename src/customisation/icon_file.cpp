#include "customisation/icon_file.h"

#include <utility>

#include "customisation/atomic_replace.h"
#include "customisation/busy_retry.h"
#include "customisation/desktop_ini.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/ensure_attributes.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/ini_file.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

// Far larger than any icon we make (five images, the largest PNG-compressed).
constexpr std::size_t largestIconFile = std::size_t{4} * 1024 * 1024;

}  // namespace

std::u16string pathInFolder(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
    return path.append(name);
}

IconFilePut putIconFile(Disk& disk, std::u16string_view folder, const std::u16string& name,
                        std::string_view bytes) {
    const std::u16string path = pathInFolder(folder, name);
    bool created = true;
    std::optional<platform::FileStamp> expected;
    for (int attempt = 0; attempt < mergeAttempts; ++attempt) {
        auto replaced = replaceFileContents(disk, path, bytes, expected, OldFile::dropped);
        if (replaced.status == platform::ReplaceStatus::failed) {
            return {false, false, replaced.error};
        }
        if (replaced.status == platform::ReplaceStatus::replaced) {
            ensureAttributes(disk.attributes, path, attribute::hidden | attribute::system);
            return {true, created};
        }
        // A file of that name is there: the same icon, applied before, is
        // kept as it is; one that differs under our name is made right.
        auto old = retryWhileBusy(disk.files,
                                  [&] { return disk.files.readToChange(path, largestIconFile); });
        if (old.status == platform::ReadStatus::missing) {
            expected.reset();
            continue;
        }
        if (old.status != platform::ReadStatus::ok) return {false, false, old.error};
        if (old.bytes == bytes) {
            ensureAttributes(disk.attributes, path, attribute::hidden | attribute::system);
            return {true, false};
        }
        expected = old.stamp;
        created = false;
    }
    return {false, false, platform::error::none};
}

void deleteIconFile(Disk& disk, std::u16string_view folder, const std::u16string& name) {
    if (!isOurIconFileName(name)) return;
    const std::u16string path = pathInFolder(folder, name);
    if (!disk.attributes.get(path)) return;
    // Read-only files refuse deletion; the others we set are cleared with it.
    disk.attributes.set(path, attribute::normal);
    retryWhileBusy(disk.files, [&] { return disk.files.remove(path); });
}

FolderIconLines readFolderIconLines(Disk& disk, std::u16string_view folder) {
    auto file = retryWhileBusy(
        disk.files, [&] { return disk.files.read(desktopIniPath(folder), largestMergedFile); });
    if (file.status != platform::ReadStatus::ok) return {};
    auto lines = splitIniFile(file.bytes, disk.codePage);
    if (!lines) return {};
    const auto foreign = foreignContent(std::move(lines->lines));
    return {foreign.ourIconFile, foreign.ownIcon};
}

}  // namespace customisation
