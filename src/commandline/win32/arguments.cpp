#include "commandline/win32/arguments.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace commandline::win32 {
namespace {

// Whether anything follows the program's name, which ends at the closing
// quote when quoted and otherwise at the first blank (CommandLineToArgvW's
// own rule for it).
bool hasArguments(const wchar_t* line) {
    const wchar_t* p = line;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return *p != L'\0';
}

void freeArguments(wchar_t** arguments) { ::LocalFree(arguments); }

}  // namespace

std::vector<std::u16string> programArguments() {
    const wchar_t* line = ::GetCommandLineW();
    if (!line || !hasArguments(line)) return {};
    int count = 0;
    const ::win32::Unique<wchar_t**, freeArguments> arguments(::CommandLineToArgvW(line, &count));
    if (!arguments) return {};
    std::vector<std::u16string> result;
    for (int i = 1; i < count; ++i) result.push_back(::win32::fromWide(arguments.get()[i]));
    return result;
}

}  // namespace commandline::win32
