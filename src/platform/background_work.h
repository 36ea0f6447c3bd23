#pragma once

#include <functional>

namespace platform {

// Runs what may wait for a disk away from the window's thread: a folder on an
// unreachable server or a disconnected drive can take seconds to answer, and
// the window must keep painting and answering meanwhile.
class BackgroundWork {
  public:
    virtual ~BackgroundWork() = default;

    // Runs `work` on another thread, one job at a time in the order given,
    // then `done` on the window's thread. A `replaceable` job that has not
    // started when another replaceable one comes is dropped, `done` and all:
    // of several reads only the newest matters.
    virtual void run(std::function<void()> work, std::function<void()> done, bool replaceable) = 0;
};

}  // namespace platform
