#include <windows.h>

#include "app/platform_services.h"
#include "commandline/command_line.h"
#include "commandline/runner.h"
#include "commandline/win32/arguments.h"
#include "commandline/win32/console_interruption.h"
#include "commandline/win32/console_output.h"
#include "customisation/folder_text.h"
#include "mainwindow/win32/main_window.h"
#include "platform/win32/system_library.h"

namespace {

// Before anything loads a DLL: never from the current or the program's
// folder. Windows 8 (7 with its update) restricts the search to the system
// folder; XP SP1 and later at least take the current folder out of it, and
// the delay-loaded DLLs come by full path (delay_load.cpp).
void restrictDllSearch() {
    constexpr DWORD systemFolderOnly = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    win32::NewerFunction<BOOL(DWORD)> setDefaultDirectories(L"kernel32.dll",
                                                            "SetDefaultDllDirectories");
    if (setDefaultDirectories && setDefaultDirectories(systemFolderOnly)) return;
    win32::NewerFunction<BOOL(LPCWSTR)> setDirectory(L"kernel32.dll", "SetDllDirectoryW");
    if (setDirectory) setDirectory(L"");
}

// A path from the command line as the window takes a dropped one: full, and
// a folder without the backslash that the folder box adds itself.
std::u16string droppedPath(const app::PlatformServices& services, const std::u16string& path) {
    return customisation::withoutEndingSeparators(services.paths().fullPath(path));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    restrictDllSearch();
    // Vista and later only; XP refuses it, harmlessly.
    ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

    const auto line = commandline::parseCommandLine(commandline::win32::programArguments());
    app::PlatformServices services;
    if (line.command != commandline::Command::window || line.wrong()) {
        // Before the console is attached, so that no Ctrl+C ends it unasked.
        commandline::win32::ConsoleInterruption interruption;
        commandline::win32::ConsoleOutput output;
        auto commandServices = services.forCommand(output, interruption);
        return commandline::runCommand(line, commandServices);
    }

    mainwindow::win32::MainWindow window(services.forWindow());
    if (!window.create(showCommand)) return 1;
    // What was dropped on the program's icon, or named when starting it.
    for (const auto& path : line.paths) window.open(droppedPath(services, path));

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The window's own keys (Tab, Enter, Escape...) come first, so that
        // they work the same whichever control has the focus.
        if (window.translateKey(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
