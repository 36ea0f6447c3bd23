#include "running_program.h"

#include <string>

#include "platform/win32/wide_text.h"
#include "test_environment.h"

RunningProgram::RunningProgram() {
    std::wstring commandLine = L"\"" + win32::toWide(testEnvironment().program) + L"\"";
    // Under Wine on a loaded machine a start can fail once; it is tried again.
    PROCESS_INFORMATION info{};
    if (!waitFor([&] {
            STARTUPINFOW startup{};
            startup.cb = sizeof(startup);
            if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info)) {
                return true;
            }
            startError_ = ::GetLastError();
            return false;
        })) {
        return;
    }
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    const DWORD id = info.dwProcessId;
    HWND found = nullptr;
    // Only this process's own window: another one may still be closing.
    if (waitFor([&] {
            found = nullptr;
            for (HWND w = ::FindWindowW(L"FolderBackgroundMainWindow", nullptr); w;
                 w = ::FindWindowExW(nullptr, w, L"FolderBackgroundMainWindow", nullptr)) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(w, &owner);
                if (owner == id) found = w;
            }
            return found != nullptr && ::IsWindowVisible(found);
        })) {
        window_ = found;
    }
}

bool RunningProgram::close() {
    if (!process_) return true;
    if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(patience)) == WAIT_OBJECT_0) {
        return true;
    }
    ::TerminateProcess(process_.get(), 1);
    return false;
}

std::vector<HWND> editBoxes(HWND window) {
    std::vector<HWND> boxes;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[16]{};
            ::GetClassNameW(child, name, 16);
            if (lstrcmpiW(name, L"Edit") == 0)
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}
