#pragma once

#include "customisation/disk.h"
#include "platform/folder_icon_maker.h"
#include "platform/number_locale.h"
#include "platform/shell_notifier.h"
#include "platform/system_error.h"

namespace customisation {

// The operating system as both the window and a command see it; each front
// end's own services derive from this, so a service both use is added here
// once.
struct SharedServices {
    Disk disk;
    const platform::NumberLocale& locale;
    platform::ShellNotifier& shell;
    // The system's words for why something failed.
    const platform::ErrorTexts& errors;
    // Makes the icon that carries the picture; the window uses it on its
    // background worker only, one icon at a time.
    platform::FolderIconMaker& icons;
};

}  // namespace customisation
