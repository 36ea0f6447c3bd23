#pragma once

#include <string_view>

#include "customisation/desktop_ini.h"
#include "customisation/disk.h"
#include "customisation/failure_reason.h"

namespace customisation {

// Writes the customisation into the folder's Desktop.ini, keeping what other
// programs put there, hides the file and gives the folder the System
// attribute. True only when the new file is complete and in place and the
// folder has the System attribute; on failure the old file is as it was, and
// `reason`, when given, says why.
bool applyCustomisation(Disk& disk, std::u16string_view folder, const Customisation& customisation,
                        FailureReason* reason = nullptr);

}  // namespace customisation
