#include "platform/win32/pause_timer.h"

#include <utility>

namespace win32 {

void PauseTimer::attach(HWND window, UINT_PTR id) {
    window_ = window;
    id_ = id;
}

void PauseTimer::detach() {
    stop();
    window_ = nullptr;
}

void PauseTimer::runAfter(std::chrono::milliseconds pause, std::function<void()> action) {
    if (!window_) return;
    action_ = std::move(action);
    // Setting a timer of the same id again starts its wait again.
    if (!::SetTimer(window_, id_, static_cast<UINT>(pause.count()), nullptr)) action_ = nullptr;
}

void PauseTimer::cancel() { stop(); }

void PauseTimer::stop() {
    if (window_) ::KillTimer(window_, id_);
    action_ = nullptr;
}

void PauseTimer::elapsed() {
    if (window_) ::KillTimer(window_, id_);
    // Taken first: the action may start the timer again.
    if (auto action = std::exchange(action_, nullptr)) action();
}

}  // namespace win32
