#include "customisation/apply.h"

#include "customisation/atomic_replace.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/folder_mark.h"
#include "customisation/ini_file.h"
#include "customisation/ini_text.h"

namespace customisation {
namespace {

// The new file's bytes; nothing when the old file cannot be put back byte
// for byte around our lines.
std::optional<std::string> customisedFile(const platform::ReadResult& old,
                                          const Customisation& customisation,
                                          const platform::AnsiCodePage& codePage) {
    std::optional<IniFile> file;
    ForeignContent foreign;
    if (old.status == platform::ReadStatus::ok) {
        file = splitIniFile(old.bytes, codePage);
        if (!file) return std::nullopt;
        foreign = foreignContent(file->lines);
    }
    auto lines = customisedLines(customisation, foreign);
    // What others wrote keeps its encoding and its bytes; a file of ours
    // alone is written afresh.
    if (file && !foreign.empty()) {
        return joinIniFile(lines, file->encoding, file->endsWithLineEnd, codePage);
    }
    std::vector<std::u16string> texts;
    texts.reserve(lines.size());
    for (auto& line : lines) texts.push_back(std::move(line.text));
    return encodeIniFile(texts, codePage);
}

}  // namespace

bool applyCustomisation(Disk& disk, std::u16string_view folder,
                        const Customisation& customisation) {
    const std::u16string path = desktopIniPath(folder);

    auto old = disk.files.read(path, largestMergedFile);
    if (old.status != platform::ReadStatus::ok && old.status != platform::ReadStatus::missing) {
        return false;
    }
    auto bytes = customisedFile(old, customisation, disk.codePage);
    if (!bytes || !replaceFileContents(disk, path, *bytes)) return false;

    // A visible file still customises the folder; only the folder's System
    // attribute decides whether the shell reads it.
    disk.attributes.set(path, platform::attribute::hidden);
    return markFolder(disk.attributes, std::u16string(folder));
}

}  // namespace customisation
