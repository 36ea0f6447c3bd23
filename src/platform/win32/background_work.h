#pragma once

#include <windows.h>

#include <memory>

#include "platform/background_work.h"
#include "platform/win32/window_worker.h"

namespace win32 {

// One worker thread for the window's disk work, started with the first job.
// A finished job is announced to the window by a posted message, on which
// the window runs the jobs' `done`.
class BackgroundWork : public platform::BackgroundWork {
  public:
    BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;
    // Never waits for a job under way, which may be stuck on an unreachable
    // drive: the worker finishes it on its own and ends. Only reads can be
    // under way then; the window takes no input, so cannot close, while a
    // command's job runs.
    ~BackgroundWork() override;

    // Finished jobs are announced by posting `message` to `window`; before
    // and after `detach`, to nobody, and their `done` never runs.
    void attach(HWND window, UINT message);
    void detach();

    void run(std::function<void()> work, std::function<void()> done, bool replaceable) override;

    // Runs the `done` of every job finished so far; on the announcement.
    void runFinished();

  private:
    struct Shared;
    static void serve(const std::shared_ptr<Shared>& shared);

    // Shared with the worker, which may outlive this object.
    std::shared_ptr<Shared> shared_;
    WindowWorker worker_;
};

}  // namespace win32
