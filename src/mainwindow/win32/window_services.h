#pragma once

#include "foldermenu/folder_menu.h"
#include "mainwindow/form1.h"
#include "platform/win32/background_work.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/common_dialog.h"
#include "platform/win32/message_dialog.h"
#include "platform/win32/pause_timer.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/themed_controls.h"

namespace mainwindow::win32 {

// The platform services the window works through, lent by the program,
// which builds and owns them and outlives the window: those of the model,
// and the Win32 side of the few whose owner window or announcements the
// window itself sets up.
struct WindowServices {
    mainwindow::Services form;
    ::win32::ComOnFirstUse& com;
    ::win32::ThemedControls& themed;
    ::win32::MessageDialog& messages;
    ::win32::CommonDialogs& dialogs;
    ::win32::PictureLoader& pictures;
    ::win32::BackgroundWork& background;
    ::win32::PauseTimer& pause;
    // The folders' menu entry, which the window's system menu turns on and off.
    foldermenu::FolderMenuEntry& folderMenu;
};

}  // namespace mainwindow::win32
