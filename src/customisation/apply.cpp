#include "customisation/apply.h"

#include <utility>

#include "customisation/atomic_replace.h"
#include "customisation/busy_retry.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/drive_root.h"
#include "customisation/ensure_attributes.h"
#include "customisation/folder_mark.h"
#include "customisation/ini_file.h"
#include "customisation/ini_text.h"
#include "customisation/original_form.h"
#include "customisation/picture_path.h"
#include "customisation/side_files.h"
#include "platform/ascii.h"

namespace customisation {
namespace {

// An ANSI file is read in the reading machine's code page: a picture's name
// beyond ASCII would name another file, or none, on a machine whose code
// page is not ours, and the folder moves between machines with the picture
// in it. UTF-16 reads the same everywhere.
bool readsAlikeInAnyCodePage(std::u16string_view text) { return platform::ascii::isAllAscii(text); }

// The new file's bytes; nothing when the old file cannot be put back byte
// for byte around our lines.
// What restoring must know of the folder's System attribute before the
// first apply: recorded only where restoring without a record would not
// give it back. A folder that had it would lose it when the file is
// deleted; one we mark would keep it when the file stays, which it does
// only where there was a file before (a fresh file is ours alone, and goes).
std::optional<bool> folderSystemToRecord(std::optional<std::uint32_t> folderAttributes,
                                         bool fileExisted, std::u16string_view folder) {
    namespace attribute = platform::attribute;
    if (!folderAttributes || isDriveRoot(folder)) return std::nullopt;
    if (*folderAttributes & attribute::system) return true;
    if ((*folderAttributes & attribute::readOnly) == 0 && fileExisted) return false;
    return std::nullopt;
}

std::optional<std::string> customisedFile(const platform::ReadResult& old,
                                          std::optional<std::uint32_t> oldAttributes,
                                          std::optional<bool> folderHadSystem,
                                          const Customisation& customisation,
                                          const platform::AnsiCodePage& codePage) {
    std::optional<TakenApart> file;
    if (old.status == platform::ReadStatus::ok) {
        auto split = splitIniFile(old.bytes, codePage);
        if (!split) return std::nullopt;
        file = takeApart(*std::move(split), codePage);
        // Before our first customisation the file is as its owner left it.
        if (!file->foreign.heldOurs) {
            file->original.visible = (oldAttributes.value_or(0) & platform::attribute::hidden) == 0;
            file->original.folderHadSystem = folderHadSystem;
        }
    }
    const bool theirsLeft = file && !file->foreign.empty();
    auto lines = customisedLines(customisation, file ? std::move(file->foreign) : ForeignContent{});
    // A file of ours alone is deleted on restore: only the folder's record counts.
    OriginalForm ownFile;
    ownFile.folderHadSystem = file ? file->original.folderHadSystem : folderHadSystem;
    const bool ansiAllowed = readsAlikeInAnyCodePage(customisation.picturePath);
    // What others wrote keeps its encoding and its bytes, or, where Windows
    // would not read our lines in it as we wrote them, its text in UTF-16. A
    // file of ours alone keeps them too where it can (a header of ours may
    // carry bytes of theirs after its bracket, and its byte-order mark is
    // theirs to keep), and is written afresh where its encoding cannot hold
    // the new text.
    // A byte-order mark Windows takes for ANSI (UTF-8, UTF-16 BE) is theirs
    // too, even in a file of ours alone: it becomes UTF-16 LE with its form
    // recorded, so that restoring gives back its bytes.
    const bool markReadOtherwise =
        file && (file->encoding == TextEncoding::utf8 || file->encoding == TextEncoding::utf16be);
    if (file && (theirsLeft || markReadOtherwise)) {
        return joinCustomisedFile(std::move(lines), file->encoding, file->endsWithLineEnd,
                                  file->original, ansiAllowed, codePage);
    }
    lines = withOriginalForm(std::move(lines), ownFile);
    const TextEncoding encoding = file ? file->encoding : TextEncoding::ansi;
    const bool keepsEncoding =
        encoding == TextEncoding::utf16le || (encoding == TextEncoding::ansi && ansiAllowed);
    if (file && keepsEncoding) {
        auto joined = joinIniFile(lines, encoding, file->endsWithLineEnd, codePage);
        if (joined) return joined;
    }
    std::vector<std::u16string> texts;
    texts.reserve(lines.size());
    for (auto& line : lines) texts.push_back(std::move(line.text));
    return encodeIniFile(texts, codePage, ansiAllowed);
}

}  // namespace

bool applyCustomisation(Disk& disk, std::u16string_view folder, const Customisation& customisation,
                        FailureReason* reason) {
    namespace attribute = platform::attribute;
    const std::u16string path = desktopIniPath(folder);
    const Customisation written{pictureValueToWrite(folder, customisation.picturePath),
                                customisation.colourDigits, customisation.iconFile};
    auto fail = [reason](platform::SystemError error, bool driveRoot = false) {
        if (reason) *reason = {error, driveRoot};
        return false;
    };
    auto read = [&] {
        return retryWhileBusy(disk.files,
                              [&] { return disk.files.readToChange(path, largestMergedFile); });
    };

    for (int attempt = 0; attempt < mergeAttempts; ++attempt) {
        auto old = read();
        if (old.status == platform::ReadStatus::missing && putBackStrandedBackup(disk, path)) {
            old = read();
        }
        const bool existed = old.status == platform::ReadStatus::ok;
        if (!existed && old.status != platform::ReadStatus::missing) return fail(old.error);
        const auto oldAttributes = existed ? disk.attributes.get(path) : std::nullopt;
        if (existed && !oldAttributes) return fail(platform::error::none);
        const auto folderAttributes = disk.attributes.get(std::u16string(folder));
        auto bytes = customisedFile(old, oldAttributes,
                                    folderSystemToRecord(folderAttributes, existed, folder),
                                    written, disk.codePage);
        if (!bytes) return fail(platform::error::none);

        const auto expected = existed ? std::optional(old.stamp) : std::nullopt;
        // The old file is kept only while marking the folder may still fail
        // and must then put it back; a marked folder is not marked again.
        const bool wasMarked =
            folderAttributes && (*folderAttributes & (attribute::system | attribute::readOnly));
        auto replaced = replaceFileContents(disk, path, *bytes, expected,
                                            wasMarked ? OldFile::dropped : OldFile::kept);
        if (replaced.status == platform::ReplaceStatus::changed) continue;
        if (replaced.status != platform::ReplaceStatus::replaced) return fail(replaced.error);

        // A visible file still customises the folder; only the folder's System
        // attribute decides whether the shell reads it. The file's own
        // attributes stay its own: Windows makes its Desktop.ini files
        // Hidden and System, and a Read-only one is meant to stay so.
        ensureAttributes(disk.attributes, path,
                         existed ? (*oldAttributes & attribute::settable) | attribute::hidden
                                 : attribute::hidden);
        const auto marked = markFolder(disk.attributes, std::u16string(folder));
        if (marked) {
            if (replaced.backup) dropBackup(disk, path, *replaced.backup);
            return true;
        }
        // Half an apply is none: the old file goes back, or the new one away.
        // An old file not kept (the folder was marked a moment ago, and
        // someone took the mark away since) leaves the new one where it is.
        if (!replaced.backup && existed) return fail(marked.error, isDriveRoot(folder));
        disk.attributes.set(path, attribute::normal);
        if (!existed) {
            retryWhileBusy(disk.files, [&] { return disk.files.remove(path); });
        } else if (retryWhileBusy(disk.files,
                                  [&] { return disk.files.rename(*replaced.backup, path); })) {
            disk.attributes.set(path, *oldAttributes & attribute::settable);
        } else {
            // The new file stays in place; the old one is kept, hidden.
            hideBackup(disk, *replaced.backup);
        }
        return fail(marked.error, isDriveRoot(folder));
    }
    return fail(platform::error::none);
}

}  // namespace customisation
