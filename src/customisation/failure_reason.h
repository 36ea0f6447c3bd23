#pragma once

#include "platform/system_error.h"

namespace customisation {

// Why apply or restore failed, for the second line of the message.
struct FailureReason {
    // The system's error code; none when it gave no reason.
    platform::SystemError error = platform::error::none;
    // The folder is a drive's root whose file system keeps no attributes on
    // it (FAT), so the shell would never read its Desktop.ini.
    bool driveRootKeepsNoAttributes = false;
};

}  // namespace customisation
