#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <utility>

#include "platform/win32/worker_thread.h"

namespace win32 {

// The thread shell of a worker that serves the window, one job at a time: it
// starts with the first job, announces finished ones to the window by a
// posted message, and is let go when its owner goes. A job under way may be
// stuck for seconds on a slow disk or an unreachable share, and a closing
// window never waits for it: the thread finishes it on its own and ends.
class WindowWorker {
  public:
    // What the owner and the thread share. The thread may outlive the owner,
    // so both hold it through a shared_ptr; each worker adds its jobs to it.
    struct Shared {
        Shared() = default;
        Shared(const Shared&) = delete;
        Shared& operator=(const Shared&) = delete;
        virtual ~Shared() = default;

        // With the lock held, when the owner goes: drops the jobs and results
        // that wait, on the owner's thread rather than later on the worker's.
        virtual void dropWaiting() {}

        // On the thread: waits until `take`, called with the lock held, takes
        // the next job and says so. False once the owner has gone, and the
        // thread is to end.
        template <class Take>
        bool waitForJob(Take take);

        // With the lock held: tells the window, if one is attached, that a
        // job has finished.
        void announce() const;

        CriticalSection lock;
        // Set for each new job and for the end.
        WakeEvent wake;
        // Set with the lock held; read without it between a job's steps.
        std::atomic<bool> stopping{false};
        // Guarded by the lock:
        bool busy = false;
        HWND window = nullptr;
        UINT message = 0;
    };

    explicit WindowWorker(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    WindowWorker(const WindowWorker&) = delete;
    WindowWorker& operator=(const WindowWorker&) = delete;
    // An idle thread ends at once and is waited for; a busy one is left to
    // end on its own.
    ~WindowWorker();

    // Finished jobs are announced by posting `message` to `window`; before
    // and after `detach`, to nobody. Both on the window's thread.
    void attach(HWND window, UINT message);
    void detach();

    // Wakes the thread for a new job, first starting it with `serve` as its
    // body: nothing runs until a job is wanted.
    template <class Serve>
    void wake(Serve&& serve) {
        if (!thread_.running()) thread_.start(std::forward<Serve>(serve));
        shared_->wake.set();
    }

  private:
    std::shared_ptr<Shared> shared_;
    WorkerThread thread_;
};

template <class Take>
bool WindowWorker::Shared::waitForJob(Take take) {
    for (;;) {
        {
            Locked held(lock);
            if (stopping) return false;
            busy = take();
            if (busy) return true;
        }
        wake.wait();
    }
}

}  // namespace win32
