#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string_view>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "remove_tree.h"
#include "test_environment.h"

namespace {

TestEnvironment environment;

}  // namespace

const TestEnvironment& testEnvironment() { return environment; }

std::u16string freshFolder(const std::u16string& name) {
    std::u16string folder = environment.scratch + name + u"\\";
    removeTree(win32::toWide(environment.scratch + name));
    ::CreateDirectoryW(win32::wide(folder), nullptr);
    return folder;
}

std::u16string showcaseFolder() {
    // The scratch folder is the build folder's: build/<preset>/scratch.
    std::u16string folder = environment.scratch;
    for (int level = 0; level < 2; ++level) {
        folder.pop_back();
        folder.erase(folder.find_last_of(u'\\') + 1);
    }
    folder += u"e2e\\";
    ::CreateDirectoryW(win32::wide(folder), nullptr);
    return folder;
}

std::u16string largePicture() {
    std::string path = LARGE_PICTURE;
    std::u16string windows(path.begin(), path.end());
    for (auto& c : windows) {
        if (c == u'/') c = u'\\';
    }
    return windows;
}

int wmain(int argc, wchar_t** argv) {
    // Measure the program's window in real pixels, as the program itself does.
    win32::NewerFunction<BOOL(HANDLE)> setAwareness(L"user32.dll", "SetProcessDpiAwarenessContext");
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(-4);  // DPI_AWARENESS_CONTEXT_...
    if (setAwareness) setAwareness(perMonitorV2);
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg = argv[i];
        if (arg.starts_with(L"--scratch=")) environment.scratch = win32::fromWide(arg.substr(10));
        if (arg.starts_with(L"--program=")) environment.program = win32::fromWide(arg.substr(10));
        if (arg.starts_with(L"--shots=")) environment.shots = win32::fromWide(arg.substr(8));
    }
    if (!environment.scratch.empty() && environment.scratch.back() != u'\\') {
        environment.scratch += u'\\';
    }
    ::CreateDirectoryW(win32::toWide(environment.scratch).c_str(), nullptr);
    // As the program does: WIC and the shell need a single-threaded apartment.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
