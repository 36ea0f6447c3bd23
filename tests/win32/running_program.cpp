#include "running_program.h"

#include <string>
#include <utility>

#include "platform/win32/wide_text.h"
#include "start_program.h"
#include "test_environment.h"

RunningProgram::RunningProgram() {
    const std::wstring program = win32::toWide(testEnvironment().program);
    StartedProgram started;
    // Under Wine on a loaded machine a start can fail once; it is tried again.
    if (!waitFor([&] { return (startError_ = startProgram(program, started)) == ERROR_SUCCESS; })) {
        return;
    }
    process_ = std::move(started.process);
    // Only this process's own window: another one may still be closing.
    HWND found = nullptr;
    if (waitFor([&] {
            found = visibleWindowOf(started.processId, L"FolderBackgroundMainWindow");
            return found != nullptr;
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
