#pragma once

// A second thread probes a window every 10 ms with a message it must answer
// (WM_NULL through SendMessageTimeout); the longest round trip is the longest
// time the window's thread was busy with something else.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "figures.h"
#include "platform/win32/worker_thread.h"

namespace bench {

class Prober {
  public:
    explicit Prober(HWND window) {
        thread_.start([this, window] { run(window); });
    }
    Prober(const Prober&) = delete;
    Prober& operator=(const Prober&) = delete;
    ~Prober() {
        if (!ended_) stop();
    }

    // The longest round trip, in milliseconds. Answers the probe still in
    // flight while it waits, for a window of the calling thread's own; what
    // else arrives for this thread meanwhile is dropped.
    double stop() {
        stop_ = true;
        while (!ended_) {
            MSG message{};
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
            ::Sleep(1);
        }
        thread_.join();
        return longest_ * 1000;
    }

  private:
    void run(HWND window) {
        while (!stop_) {
            const double start = nowSeconds();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
            longest_ = std::max(longest_, nowSeconds() - start);
            while (!stop_ && nowSeconds() - start < 0.010) ::Sleep(1);
        }
        ended_ = true;
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    double longest_ = 0;
    win32::WorkerThread thread_;
};

}  // namespace bench
