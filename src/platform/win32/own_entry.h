#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// What a handle opened by name turned out to be.
struct EntryKind {
    // A symbolic link, junction or mount point (a name surrogate): the name
    // stands for a file elsewhere.
    bool link = false;
    // Another kind of reparse point (deduplicated, tiered, a cloud
    // placeholder): a file like any other, read through its filter.
    bool otherReparsePoint = false;
};

// Tells links from other reparse points, by the tag of the file opened
// (without following it) as `path`.
EntryKind entryKind(HANDLE file, DWORD attributes, const std::wstring& path);

// Whether the handle opened as `path` is the entry of that name in that
// folder, and not a file elsewhere that the name resolves to: Wine shows a
// Unix symbolic link as the file it points to, and only the name the system
// resolved the handle to tells. True when the system cannot tell.
bool isOwnEntry(HANDLE file, const std::wstring& path);

}  // namespace win32
