#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "customisation/disk.h"

namespace customisation {

// How often a file that someone else changed between our read and our
// replace is read and merged again before we give up.
inline constexpr int mergeAttempts = 3;

// Whether the old file is kept after a replace, for a step after it that may
// still fail and must then put it back.
enum class OldFile { kept, dropped };

struct Replacement {
    platform::ReplaceStatus status = platform::ReplaceStatus::failed;
    platform::SystemError error = platform::error::none;
    // The old file, kept under this name once replaced, for putting back;
    // nothing when it was not asked to be kept.
    std::optional<std::u16string> backup;
};

// Gives the file at `path` exactly `bytes` when it is still the version
// `expected` (with nothing expected: while there is still no file), or leaves
// it as it was, attributes included. The bytes go to a new hidden file beside
// it first, which then takes its place in one step. A busy file is waited
// for. When a failed replace took the old file away from its name, the old
// file goes back or the new one moves in, and `replaced` is reported only
// with the new one in place; when neither can move, the one that holds the
// text is kept, hidden, under a backup name and the failure reported.
Replacement replaceFileContents(Disk& disk, const std::u16string& path, std::string_view bytes,
                                const std::optional<platform::FileStamp>& expected, OldFile old);

}  // namespace customisation
