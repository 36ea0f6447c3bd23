#include "platform/win32/worker_thread.h"

#include <memory>

namespace win32 {

namespace {

DWORD WINAPI runBody(void* parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    (*body)();
    return 0;
}

}  // namespace

bool WorkerThread::start(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    HANDLE thread = ::CreateThread(nullptr, 0, runBody, owned.get(), 0, nullptr);
    if (!thread) return false;
    static_cast<void>(owned.release());  // the thread deletes it
    thread_.reset(thread);
    return true;
}

void WorkerThread::join() {
    if (!thread_) return;
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
}

}  // namespace win32
