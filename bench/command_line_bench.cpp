// Time per folder of one /apply command over many folders, the way a script
// runs it: the program started once, with every folder on its command line.
// Start-up is paid once, so the time per folder should come close to one
// apply's time (apply_bench). With /icon or /noicon after the count, the
// figures are named after it: what our icon costs a folder, the picture
// decoded once for the whole command.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "figures.h"
#include "scratch.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: command_line_bench PROGRAM PICTURE [FOLDERS [/icon|/noicon]]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring picture = argv[2];
    const int folders = argc > 3 ? std::max(1, _wtoi(argv[3])) : 1000;
    const std::wstring iconSwitch = argc > 4 ? argv[4] : L"";
    // "command_line", or "command_line_icon" and "command_line_noicon".
    std::string name = "command_line";
    if (!iconSwitch.empty()) {
        name += '_';
        for (wchar_t c : iconSwitch.substr(1)) name += static_cast<char>(c);
    }

    bench::ScratchFolder scratch(L"FolderBackground-command-line");
    // Short names, relative to the program's current folder: a command line
    // holds at most 32767 characters.
    std::wstring commandLine =
        L"\"" + program + L"\" /apply \"/picture:" + picture + L"\" /color:16777215";
    if (!iconSwitch.empty()) commandLine += L" " + iconSwitch;
    for (int i = 0; i < folders; ++i) {
        const std::wstring name = std::to_wstring(i);
        ::CreateDirectoryW((scratch.path() + L"\\" + name).c_str(), nullptr);
        commandLine += L" " + name;
    }

    // Its lines go where a script sends them, to a file: here, to nowhere.
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    HANDLE nowhere = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited,
                                   OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const double start = bench::nowSeconds();
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, scratch.path().c_str(), &startup, &process);
    ::CloseHandle(nowhere);
    if (!started) {
        std::fprintf(stderr, "command_line_bench: cannot start the program\n");
        return 1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = bench::nowSeconds() - start;
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    int applied = 0;
    for (int i = 0; i < folders; ++i) {
        const std::wstring ini = scratch.path() + L"\\" + std::to_wstring(i) + L"\\Desktop.ini";
        if (::GetFileAttributesW(ini.c_str()) != INVALID_FILE_ATTRIBUTES) ++applied;
    }
    if (exitCode != 0 || applied != folders) {
        std::fprintf(stderr, "command_line_bench: exit code %lu, %d of %d folders applied\n",
                     exitCode, applied, folders);
        return 1;
    }
    std::printf("%s_folders %d\n", name.c_str(), folders);
    std::printf("%s_seconds %.3f\n", name.c_str(), seconds);
    std::printf("%s_us_per_folder %.1f\n", name.c_str(), seconds * 1e6 / folders);
    return 0;
}
