#pragma once

#include "foldermenu/folder_menu.h"
#include "platform/folder_icon_maker.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/background_work.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/common_dialog.h"
#include "platform/win32/error_texts.h"
#include "platform/win32/file_store.h"
#include "platform/win32/folder_browser.h"
#include "platform/win32/message_dialog.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/number_locale.h"
#include "platform/win32/pause_timer.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/shell_notifier.h"
#include "platform/win32/themed_controls.h"
#include "platform/win32/url_launcher.h"
#include "platform/win32/windows_version.h"

namespace mainwindow::win32 {

// The platform services the window works through, lent by the program,
// which builds and owns them and outlives the window. The window needs their
// Win32 side too: it gives the dialogs their owner and takes the workers'
// announcements.
struct WindowServices {
    ::win32::ComOnFirstUse& com;
    ::win32::ThemedControls& themed;
    ::win32::FileStore& files;
    ::win32::FileAttributes& attributes;
    ::win32::AnsiCodePage& codePage;
    ::win32::MessageDialog& messages;
    ::win32::FolderBrowser& folderBrowser;
    ::win32::CommonDialogs& dialogs;
    ::win32::PictureLoader& pictures;
    ::win32::NumberLocale& locale;
    ::win32::UrlLauncher& urls;
    ::win32::BackgroundWork& background;
    ::win32::ShellNotifier& shell;
    ::win32::WindowsVersion& windows;
    ::win32::ErrorTexts& errorTexts;
    ::win32::NetworkPaths& network;
    ::win32::PauseTimer& pause;
    // The folders' menu entry, which the window's system menu turns on and off.
    foldermenu::FolderMenuEntry& folderMenu;
    platform::FolderIconMaker& icons;
};

}  // namespace mainwindow::win32
