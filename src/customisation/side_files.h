#pragma once

#include <string>

#include "customisation/disk.h"

namespace customisation {

// The files kept beside Desktop.ini while it is replaced. Their names tell
// them apart: a temporary file holds only bytes still to be put in place and
// may be deleted as a leftover; a backup may hold the only copy of the
// folder's old file and is never deleted as a leftover.
inline constexpr int temporaryNameCount = 64;
inline constexpr int backupNameCount = 16;

std::u16string temporaryName(const std::u16string& path, int n);
std::u16string backupName(const std::u16string& path, int n);

// When Desktop.ini is missing and one of its backups is there, an earlier
// run was stopped between moving the old file aside and putting it back:
// the backup goes back in its place. True when a file was put back.
bool putBackStrandedBackup(Disk& disk, const std::u16string& path);

// Deletes the backup of a replace that is complete: only while Desktop.ini
// is in place, and one that cannot be deleted yet is hidden instead.
void dropBackup(Disk& disk, const std::u16string& path, const std::u16string& backup);

// Hides a backup that has to stay, so that it cannot be taken for the
// folder's file.
void hideBackup(Disk& disk, const std::u16string& backup);

}  // namespace customisation
