#pragma once

// Starting a windowed program and finding its window, as the window tests
// and the benchmarks both do.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

struct StartedProgram {
    win32::UniqueHandle process;
    win32::UniqueHandle thread;
    DWORD processId = 0;
};

// Starts `program` with no arguments. ERROR_SUCCESS, or why it could not be
// started, read before anything else can change the thread's last error.
inline DWORD startProgram(const std::wstring& program, StartedProgram& out) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return ::GetLastError();
    }
    out.process.reset(started.hProcess);
    out.thread.reset(started.hThread);
    out.processId = started.dwProcessId;
    return ERROR_SUCCESS;
}

// The visible top-level window of `className` that belongs to the process:
// another copy of the program may still be on its way out.
inline HWND visibleWindowOf(DWORD processId, const wchar_t* className) {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}
