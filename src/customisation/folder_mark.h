#pragma once

#include <string>

#include "platform/file_attributes.h"

namespace customisation {

// The System or the Read-only attribute is what makes the shell read a
// folder's Desktop.ini; Windows' own Customize tab sets Read-only. A folder
// with neither gets System, and only that bit is ours: Hidden, Read-only,
// Archive, Not-content-indexed and a synced folder's pinned state belong to
// the person and stay as they are. A folder with either is not marked again.
//
// Marking succeeds only when the attribute reads back: a server that does
// not keep it accepts the change and drops it.
platform::Outcome markFolder(platform::FileAttributes& attributes, const std::u16string& folder);
// A drive's root keeps its attributes: NTFS gives every root System itself.
platform::Outcome unmarkFolder(platform::FileAttributes& attributes, const std::u16string& folder);

}  // namespace customisation
