// Linked into the program itself, not a library: the delay-load helper
// finds this hook only if the linker has already taken it.
#include <windows.h>

#include <delayimp.h>

#include <string>

#include "platform/win32/system_library.h"

namespace {

// Every delay-loaded DLL comes from the system folder by its full path. On
// Windows 8 and later SetDefaultDllDirectories already ensures this; on XP to
// 7 the loader would otherwise look in the program's folder first, and only
// the KnownDLLs are safe from that.
FARPROC WINAPI loadFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || !info || !info->szDll) return nullptr;
    const std::string name = info->szDll;
    const std::wstring wide(name.begin(), name.end());  // DLL names are ASCII
    // Every DLL delay-loaded here is in the system folder of every Windows
    // from XP on, so this does not fail over to the helper's own search.
    HMODULE module = win32::loadSystemLibrary(wide.c_str());
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(module));
}

}  // namespace

extern "C" {
#ifdef _MSC_VER
const PfnDliHook __pfnDliNotifyHook2 = loadFromSystemFolder;
#else
PfnDliHook __pfnDliNotifyHook2 = loadFromSystemFolder;
#endif
}
