#include "platform/win32/windows_version.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace win32 {

platform::WindowsRelease WindowsVersion::release() const {
    // The program's manifest names every Windows up to 10 (11 answers as
    // 10), so GetVersionExW does not pretend that a newer one is older.
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // deprecated only for its pretending
#endif
    const bool known = ::GetVersionExW(&info) != FALSE;
    // 6.2 is also what Windows 8.1 and later tell a program without such a
    // manifest; the kernel's own answer is the truth.
    if (!known || (info.dwMajorVersion == 6 && info.dwMinorVersion == 2)) {
        NewerFunction<LONG(OSVERSIONINFOW*)> kernelVersion(L"ntdll.dll", "RtlGetVersion");
        OSVERSIONINFOW truth{};
        truth.dwOSVersionInfoSize = sizeof(truth);
        if (kernelVersion && kernelVersion(&truth) == 0) info = truth;
    }
    return {info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace win32
