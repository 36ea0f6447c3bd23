// The window's worker thread when its owner goes with a job under way.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "platform/win32/background_work.h"
#include "platform/win32/unique_handle.h"

namespace {

// Stands in for a read stuck on an unreachable share until the test lets it go.
struct StuckRead {
    win32::UniqueHandle started{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    win32::UniqueHandle release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    win32::UniqueHandle ended{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> releasedByTheTest{false};
};

// A closing window must not wait on a slow disk: the owner goes at once, the
// thread finishes the job on its own afterwards, and nothing is announced to
// the window or run for it once the owner is gone.
TEST(BackgroundWorkTest, AClosingOwnerDoesNotWaitForAJobUnderWay) {
    constexpr UINT finished = WM_APP + 9;
    HWND window = ::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto read = std::make_shared<StuckRead>();
    auto doneRan = std::make_shared<std::atomic<bool>>(false);
    {
        win32::BackgroundWork work;
        work.attach(window, finished);
        work.run(
            [read] {
                ::SetEvent(read->started.get());
                // Were the owner to wait for the job, it would wait this long.
                read->releasedByTheTest =
                    ::WaitForSingleObject(read->release.get(), 10000) == WAIT_OBJECT_0;
                ::SetEvent(read->ended.get());
            },
            [doneRan] { *doneRan = true; }, false);
        ASSERT_EQ(::WaitForSingleObject(read->started.get(), 10000), WAIT_OBJECT_0);
    }
    ::SetEvent(read->release.get());
    ASSERT_EQ(::WaitForSingleObject(read->ended.get(), 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(read->releasedByTheTest) << "the owner waited for the job";
    ::Sleep(100);  // the thread's last steps after the job
    MSG message{};
    EXPECT_FALSE(::PeekMessageW(&message, window, finished, finished, PM_REMOVE));
    EXPECT_FALSE(*doneRan);
    ::DestroyWindow(window);
}

}  // namespace
