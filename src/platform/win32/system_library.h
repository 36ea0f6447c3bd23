#pragma once

#include <windows.h>

namespace win32 {

// Whether this program takes Windows XP's paths here: every function newer
// than XP, and WIC, count as absent. Each program links its answer in
// (newer_windows_paths.cpp, or xp_paths.cpp for the tests of the fallbacks),
// so that every library is compiled once for both.
extern const bool onXpPaths;

// The system's own copy of a DLL, by its full path in the system folder: a
// bare name would be looked for in the program's folder first, where a
// downloaded DLL may wait. Null when it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

// The address of `function` in the system DLL `module`, loaded from the
// system folder unless the process has it already; null when missing.
FARPROC findSystemFunction(const wchar_t* module, const char* function);

// A system function that Windows XP lacks, looked up when the object is made:
// false where this Windows has none, and then the caller takes XP's way.
// Every such function is WINAPI, which the pointer type carries, so that a
// call through it uses the right convention on 32-bit x86 too.
//   NewerFunction<UINT(HWND)> dpiForWindow(L"user32.dll", "GetDpiForWindow");
template <typename Signature>
class NewerFunction;

template <typename Result, typename... Args>
class NewerFunction<Result(Args...)> {
  public:
    using Pointer = Result(WINAPI*)(Args...);

    NewerFunction(const wchar_t* module, const char* function) {
        if (!onXpPaths) {
            // void (*)() is the one function type that converts to and from
            // any other without a cast warning.
            pointer_ = reinterpret_cast<Pointer>(
                reinterpret_cast<void (*)()>(findSystemFunction(module, function)));
        }
    }

    explicit operator bool() const { return pointer_ != nullptr; }
    Result operator()(Args... args) const { return pointer_(args...); }

  private:
    Pointer pointer_ = nullptr;
};

}  // namespace win32
