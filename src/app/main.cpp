#include <windows.h>

#include "app/platform_services.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    restrictDllSearch();
    // Vista and later only; XP refuses it, harmlessly.
    ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

    app::PlatformServices services;
    app::MainWindow window(services.forWindow());
    if (!window.create(showCommand)) return 1;

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
