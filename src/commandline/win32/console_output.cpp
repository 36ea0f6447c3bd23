#include "commandline/win32/console_output.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace commandline::win32 {

ConsoleOutput::ConsoleOutput() {
    // A redirected output is inherited even by a program without a console:
    // it is asked first, and attaching to the parent's console would not
    // change where it goes.
    HANDLE standard = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (standard && standard != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(standard);
        DWORD mode = 0;
        if (type == FILE_TYPE_CHAR && ::GetConsoleMode(standard, &mode)) {
            kind_ = Kind::console;
            handle_ = standard;
            return;
        }
        // A file, a pipe, or a device such as NUL, which is no console.
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR) {
            kind_ = Kind::bytes;
            handle_ = standard;
            return;
        }
    }
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console_.reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    if (!console_) return;
    kind_ = Kind::console;
    handle_ = console_.get();
    // The console's shell did not wait for a windowed program and has
    // already written its prompt: start on a line of our own.
    writeLine(u"");
}

void ConsoleOutput::writeLine(std::u16string_view line) {
    std::u16string text(line);
    text += u"\r\n";
    if (kind_ == Kind::console) {
        DWORD written = 0;
        ::WriteConsoleW(handle_, ::win32::toWide(text).c_str(), static_cast<DWORD>(text.size()),
                        &written, nullptr);
        return;
    }
    if (kind_ != Kind::bytes) return;
    const std::wstring wide = ::win32::toWide(text);
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), bytes.data(),
                          size, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace commandline::win32
