#pragma once

#include <string_view>

#include "customisation/desktop_ini.h"
#include "customisation/disk.h"

namespace customisation {

// Writes the customisation into the folder's Desktop.ini, keeping what other
// programs put there, hides the file and gives the folder the System
// attribute. True only when the new file is complete and in place and the
// folder has the System attribute; on failure the old file is as it was.
bool applyCustomisation(Disk& disk, std::u16string_view folder, const Customisation& customisation);

}  // namespace customisation
