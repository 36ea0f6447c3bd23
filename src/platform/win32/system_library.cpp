#include "platform/win32/system_library.h"

#include <string>

namespace win32 {

HMODULE loadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // The DLL's own imports are then looked for in its folder first too.
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC findSystemFunction(const wchar_t* module, const char* function) {
    HMODULE found = ::GetModuleHandleW(module);
    if (!found) found = loadSystemLibrary(module);
    return found ? ::GetProcAddress(found, function) : nullptr;
}

}  // namespace win32
