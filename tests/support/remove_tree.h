#pragma once

// Emptying and removing a folder that a test or a benchmark made.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

// Removes `folder` (no trailing backslash) and everything in it. Hidden,
// system and read-only entries refuse deletion, so each one is made normal
// first.
inline void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const win32::UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(search.get(), &found));
    }
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.c_str());
}
