#include "commandline/win32/arguments.h"

#include <windows.h>

#include "commandline/split_command_line.h"
#include "platform/win32/wide_text.h"

namespace commandline::win32 {

std::vector<std::u16string> programArguments() {
    const wchar_t* line = ::GetCommandLineW();
    if (!line) return {};
    return splitCommandLine(::win32::fromWide(line));
}

}  // namespace commandline::win32
