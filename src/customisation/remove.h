#pragma once

#include <string_view>

#include "customisation/disk.h"
#include "customisation/failure_reason.h"

namespace customisation {

enum class RemoveResult {
    noFile,   // the folder has no customisation file
    notOurs,  // the file holds nothing of ours and is left as it is
    deleted,  // the file held only our customisation and is gone
    // The same, in a folder that had the System attribute before the first
    // apply: it keeps it.
    deletedFromSystemFolder,
    rewritten,  // other programs' settings are left in the file
    failed,     // the file is as it was
};

// Takes our customisation out of the folder's Desktop.ini. The folder's own
// System attribute is the caller's to take off, and only after `deleted`;
// after `rewritten` it has the System attribute it had before the first
// apply, where the file recorded that. After `failed`, `reason`, when
// given, says why.
RemoveResult removeCustomisation(Disk& disk, std::u16string_view folder,
                                 FailureReason* reason = nullptr);

}  // namespace customisation
