#pragma once

#include <chrono>
#include <functional>

namespace platform {

// Runs something on the window's thread once a while has passed with no new
// request: each request replaces the one before and starts the wait again.
class PauseTimer {
  public:
    virtual ~PauseTimer() = default;
    virtual void runAfter(std::chrono::milliseconds pause, std::function<void()> action) = 0;
    // The waiting action, if any, does not run.
    virtual void cancel() = 0;
};

}  // namespace platform
