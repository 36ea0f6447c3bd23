#include "platform/win32/background_work.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace win32 {

struct BackgroundWork::Shared {
    struct Job {
        std::function<void()> work;
        std::function<void()> done;
        bool replaceable = false;
    };

    CriticalSection lock;
    // Set for each new job and for the end.
    WakeEvent wake;
    // Guarded by the lock:
    std::deque<Job> waiting;
    std::deque<std::function<void()>> finished;
    bool busy = false;
    bool stopping = false;
    HWND window = nullptr;
    UINT message = 0;
};

BackgroundWork::BackgroundWork() : shared_(std::make_shared<Shared>()) {}

BackgroundWork::~BackgroundWork() {
    bool busy = false;
    {
        Locked lock(shared_->lock);
        shared_->window = nullptr;
        shared_->stopping = true;
        shared_->waiting.clear();
        shared_->finished.clear();
        busy = shared_->busy;
    }
    shared_->wake.set();
    if (busy) {
        worker_.detach();
    } else {
        worker_.join();
    }
}

void BackgroundWork::attach(HWND window, UINT message) {
    Locked lock(shared_->lock);
    shared_->window = window;
    shared_->message = message;
}

void BackgroundWork::detach() {
    Locked lock(shared_->lock);
    shared_->window = nullptr;
    shared_->finished.clear();
}

void BackgroundWork::run(std::function<void()> work, std::function<void()> done, bool replaceable) {
    {
        Locked lock(shared_->lock);
        if (replaceable) {
            std::erase_if(shared_->waiting, [](const Shared::Job& job) { return job.replaceable; });
        }
        shared_->waiting.push_back({std::move(work), std::move(done), replaceable});
    }
    if (!worker_.running()) worker_.start([shared = shared_] { serve(shared); });
    shared_->wake.set();
}

void BackgroundWork::runFinished() {
    std::deque<std::function<void()>> finished;
    {
        Locked lock(shared_->lock);
        finished.swap(shared_->finished);
    }
    // Outside the lock: a `done` may start the next job.
    for (auto& done : finished) done();
}

void BackgroundWork::serve(const std::shared_ptr<Shared>& shared) {
    for (;;) {
        Shared::Job job;
        for (bool taken = false; !taken;) {
            {
                Locked lock(shared->lock);
                if (shared->stopping) return;
                taken = !shared->waiting.empty();
                if (taken) {
                    job = std::move(shared->waiting.front());
                    shared->waiting.pop_front();
                }
                shared->busy = taken;
            }
            if (!taken) shared->wake.wait();
        }
        job.work();
        Locked lock(shared->lock);
        if (shared->stopping || !shared->window) continue;
        shared->finished.push_back(std::move(job.done));
        ::PostMessageW(shared->window, shared->message, 0, 0);
    }
}

}  // namespace win32
