#include "platform/win32/background_work.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace win32 {

struct BackgroundWork::Shared : WindowWorker::Shared {
    struct Job {
        std::function<void()> work;
        std::function<void()> done;
        bool replaceable = false;
    };

    void dropWaiting() override {
        waiting.clear();
        finished.clear();
    }

    // Guarded by the lock:
    std::deque<Job> waiting;
    std::deque<std::function<void()>> finished;
};

BackgroundWork::BackgroundWork() : shared_(std::make_shared<Shared>()), worker_(shared_) {}

BackgroundWork::~BackgroundWork() = default;

void BackgroundWork::attach(HWND window, UINT message) { worker_.attach(window, message); }

void BackgroundWork::detach() {
    worker_.detach();
    // Announced to the window that went: their `done` never runs.
    Locked lock(shared_->lock);
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
    worker_.wake([shared = shared_] { serve(shared); });
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
        const bool taken = shared->waitForJob([&] {
            if (shared->waiting.empty()) return false;
            job = std::move(shared->waiting.front());
            shared->waiting.pop_front();
            return true;
        });
        if (!taken) return;
        job.work();
        Locked lock(shared->lock);
        if (shared->stopping || !shared->window) continue;
        shared->finished.push_back(std::move(job.done));
        shared->announce();
    }
}

}  // namespace win32
