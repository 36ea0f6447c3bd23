#pragma once

#include <string>

#include "customisation/remove.h"
#include "platform/file_attributes.h"

namespace customisation {

// What follows removeCustomisation, in the window and on the command line
// alike. The folder's mark comes off only once its file is gone: a marked
// folder without it is harmless, a customised folder without its mark
// shows nothing. A folder that had the mark before the first apply keeps
// it. Whether the folder was restored, and so Explorer is to be told.
bool finishRestore(platform::FileAttributes& attributes, const std::u16string& folder,
                   RemoveResult result);

}  // namespace customisation
