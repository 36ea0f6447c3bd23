#include "platform/win32/window_worker.h"

namespace win32 {

void WindowWorker::Shared::announce() const {
    if (window) ::PostMessageW(window, message, 0, 0);
}

WindowWorker::~WindowWorker() {
    bool busy = false;
    {
        Locked held(shared_->lock);
        shared_->window = nullptr;
        shared_->stopping = true;
        shared_->dropWaiting();
        busy = shared_->busy;
    }
    shared_->wake.set();
    if (busy) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

void WindowWorker::attach(HWND window, UINT message) {
    Locked held(shared_->lock);
    shared_->window = window;
    shared_->message = message;
}

void WindowWorker::detach() {
    Locked held(shared_->lock);
    shared_->window = nullptr;
}

}  // namespace win32
