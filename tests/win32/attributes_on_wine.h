#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

// A file's attributes as the tests compare them: without the archive bit,
// which Wine reports on every regular file. INVALID_FILE_ATTRIBUTES where
// nothing is there.
inline DWORD attributesOf(const std::u16string& path) {
    const DWORD value = ::GetFileAttributesW(win32::wide(path));
    return value == INVALID_FILE_ATTRIBUTES ? value : value & ~DWORD{FILE_ATTRIBUTE_ARCHIVE};
}
