// The window procedure every window of the program goes through: its owner
// sees the window's messages from WM_NCCREATE to WM_NCDESTROY and no others,
// and the window lets go of it before it is gone.
#include "mainwindow/win32/window_procedure.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using mainwindow::win32::ownerOf;
using mainwindow::win32::subclass;
using mainwindow::win32::windowProcedure;

constexpr UINT hello = WM_APP + 7;

// Writes down each message it is handed, and whether the window still held
// it as it did.
struct Recorder {
    struct Seen {
        HWND window;
        UINT message;
        bool attached;
    };
    std::vector<Seen> seen;
    WNDPROC previous = nullptr;

    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        seen.push_back({window, message, ownerOf<Recorder>(window) == this});
        if (message == hello) return 42;
        return previous ? ::CallWindowProcW(previous, window, message, wParam, lParam)
                        : ::DefWindowProcW(window, message, wParam, lParam);
    }
};

constexpr WNDPROC recorderProcedure = windowProcedure<Recorder, &Recorder::onMessage>;

constexpr wchar_t className[] = L"FolderBackgroundWindowProcedureTest";

// A window of a class over the procedure; a second registration fails
// harmlessly.
HWND ownClassWindow(Recorder* recorder) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = recorderProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
    return ::CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), recorder);
}

HWND subclassedStatic(Recorder& recorder) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (window) recorder.previous = subclass(window, &recorder, recorderProcedure);
    return window;
}

TEST(WindowProcedure, OwnerSeesItsWindowFromNcCreateToNcDestroyOnly) {
    const struct {
        const char* name;
        HWND (*make)(Recorder&);
        UINT first;  // the first message the owner sees
    } cases[] = {
        // WM_GETMINMAXINFO comes before WM_NCCREATE, when nothing is attached.
        {"window of its own class", [](Recorder& r) { return ownClassWindow(&r); }, WM_NCCREATE},
        {"subclassed window", subclassedStatic, hello},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder recorder;
        HWND window = c.make(recorder);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(::SendMessageW(window, hello, 0, 0), 42);
        ::DestroyWindow(window);

        ASSERT_FALSE(recorder.seen.empty());
        EXPECT_EQ(recorder.seen.front().message, c.first);
        for (const auto& seen : recorder.seen) EXPECT_EQ(seen.window, window);
        // WM_NCDESTROY is the last it sees, and the window already holds
        // nothing of it by then.
        EXPECT_EQ(recorder.seen.back().message, static_cast<UINT>(WM_NCDESTROY));
        EXPECT_FALSE(recorder.seen.back().attached);
        for (std::size_t i = 0; i + 1 < recorder.seen.size(); ++i) {
            EXPECT_TRUE(recorder.seen[i].attached) << recorder.seen[i].message;
        }
    }
}

TEST(WindowProcedure, WindowMadeWithoutOwnerGetsTheDefaultProcedure) {
    HWND window = ownClassWindow(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::SendMessageW(window, hello, 0, 0), 0);
    EXPECT_EQ(ownerOf<Recorder>(window), nullptr);
    ::DestroyWindow(window);
}

}  // namespace
