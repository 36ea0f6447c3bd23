#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

// A value as the shell's own profile reader reads it from the file, or
// "(none)": what Explorer sees, whatever our reader makes of the file.
inline std::u16string profileValue(const std::u16string& file, const wchar_t* section,
                                   const wchar_t* key) {
    wchar_t value[512] = {};
    const DWORD length =
        ::GetPrivateProfileStringW(section, key, L"(none)", value, 512, win32::wide(file));
    return win32::fromWide({value, length});
}
