#pragma once

#include <windows.h>

#include "commandline/runner.h"
#include "customisation/apply_with_icon.h"
#include "customisation/shared_services.h"
#include "foldericon/win32/folder_icon_maker.h"
#include "foldermenu/folder_menu.h"
#include "mainwindow/win32/window_services.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/error_texts.h"
#include "platform/win32/file_store.h"
#include "platform/win32/folder_browser.h"
#include "platform/win32/full_paths.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/number_locale.h"
#include "platform/win32/shell_notifier.h"
#include "platform/win32/url_launcher.h"
#include "platform/win32/user_registry.h"
#include "platform/win32/windows_version.h"
#include "resource_ids.h"

namespace app {

// Every platform service of the program, built once in wWinMain and lent to
// whatever runs: the window, or a command of the command line.
class PlatformServices {
  public:
    PlatformServices()
        : themed_(IDM_THEMED_CONTROLS),
          messages_(com_, themed_),
          folderBrowser_(com_, themed_),
          dialogs_(com_, themed_),
          urls_(com_, themed_),
          program_(win32::programPath()),
          folderMenu_(registry_, program_) {}
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    mainwindow::win32::WindowServices forWindow() {
        return {{shared_, messages_, folderBrowser_, dialogs_, pictures_, urls_, background_,
                 windows_, network_, pause_},
                com_,
                themed_,
                messages_,
                dialogs_,
                pictures_,
                background_,
                pause_,
                folderMenu_};
    }

    commandline::RunnerServices forCommand(platform::TextOutput& output,
                                           const platform::Interruption& interruption) {
        return {shared_,
                paths_,
                registry_,
                output,
                program_,
                interruption,
                customisation::iconByDefault(windows_)};
    }

    const platform::FullPaths& paths() const { return paths_; }

  private:
    // First, so that COM outlasts everything below that may use it.
    win32::ComOnFirstUse com_{COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE};
    win32::ThemedControls themed_;
    win32::FileStore files_;
    win32::FileAttributes attributes_;
    win32::AnsiCodePage codePage_;
    win32::MessageDialog messages_;
    win32::FolderBrowser folderBrowser_;
    win32::CommonDialogs dialogs_;
    win32::PictureLoader pictures_;
    win32::NumberLocale locale_;
    win32::UrlLauncher urls_;
    win32::BackgroundWork background_;
    win32::ShellNotifier shell_{com_};
    win32::WindowsVersion windows_;
    win32::NetworkPaths network_;
    win32::PauseTimer pause_;
    win32::UserRegistry registry_;
    win32::ErrorTexts errors_;
    win32::FullPaths paths_;
    std::u16string program_;
    foldermenu::FolderMenuEntry folderMenu_;
    // Caches the last icon: one picture is decoded once for a whole command.
    win32::FolderIconMaker iconMaker_;
    // What both front ends are lent; after the services it refers to.
    customisation::SharedServices shared_{
        {files_, attributes_, codePage_}, locale_, shell_, errors_, iconMaker_};
};

}  // namespace app
