#include "customisation/side_files.h"

#include "customisation/busy_retry.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

std::u16string numbered(const std::u16string& path, int n, std::u16string_view extension) {
    std::u16string name = path + u".~";
    for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
    return name.append(extension);
}

}  // namespace

std::u16string temporaryName(const std::u16string& path, int n) {
    return numbered(path, n, u".tmp");
}

std::u16string backupName(const std::u16string& path, int n) { return numbered(path, n, u".bak"); }

bool putBackStrandedBackup(Disk& disk, const std::u16string& path) {
    for (int n = 1; n <= backupNameCount; ++n) {
        const std::u16string backup = backupName(path, n);
        const auto found = disk.attributes.get(backup);
        if (!found || (*found & attribute::directory) != 0) continue;
        // A move that never replaces: a Desktop.ini made meanwhile stays.
        auto moved = retryWhileBusy(
            disk.files, [&] { return disk.files.replace(backup, path, std::nullopt, u""); });
        return moved.status == platform::ReplaceStatus::replaced;
    }
    return false;
}

void hideBackup(Disk& disk, const std::u16string& backup) {
    const auto old = disk.attributes.get(backup);
    if (old && (*old & attribute::hidden) == 0) {
        disk.attributes.set(backup, (*old & attribute::settable) | attribute::hidden);
    }
}

void dropBackup(Disk& disk, const std::u16string& path, const std::u16string& backup) {
    if (!disk.attributes.get(path)) return hideBackup(disk, backup);
    auto removed = retryWhileBusy(disk.files, [&] { return disk.files.remove(backup); });
    if (!removed) hideBackup(disk, backup);
}

}  // namespace customisation
