#pragma once

#include <windows.h>

#include <functional>

#include "platform/pause_timer.h"

namespace win32 {

// A one-shot window timer. Its WM_TIMER comes to the window, which hands it
// on with `elapsed`.
class PauseTimer : public platform::PauseTimer {
  public:
    PauseTimer() = default;
    PauseTimer(const PauseTimer&) = delete;
    PauseTimer& operator=(const PauseTimer&) = delete;
    ~PauseTimer() override { detach(); }

    // The timer runs on `window` under `id`; before `attach` and after
    // `detach` nothing runs.
    void attach(HWND window, UINT_PTR id);
    void detach();

    void runAfter(std::chrono::milliseconds pause, std::function<void()> action) override;
    void cancel() override;

    // The window's WM_TIMER for `id`: runs the waiting action, once.
    void elapsed();

  private:
    void stop();

    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
    std::function<void()> action_;
};

}  // namespace win32
