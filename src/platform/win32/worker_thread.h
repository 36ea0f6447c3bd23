#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/unique_handle.h"

namespace win32 {

// The platform's own threads and locks: the C++ library's would bring a
// thread library whose imports Windows XP lacks.

class CriticalSection {
  public:
    CriticalSection() { ::InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { ::DeleteCriticalSection(&section_); }

    void lock() { ::EnterCriticalSection(&section_); }
    void unlock() { ::LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION section_;
};

// Holds a critical section for its scope.
class Locked {
  public:
    explicit Locked(CriticalSection& section) : section_(section) { section_.lock(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    ~Locked() { section_.unlock(); }

  private:
    CriticalSection& section_;
};

// An auto-reset event: one wait returns for each set, even a set that came
// before the wait.
class WakeEvent {
  public:
    WakeEvent() : event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    void set() { ::SetEvent(event_.get()); }
    void wait() { ::WaitForSingleObject(event_.get(), INFINITE); }

  private:
    Unique<HANDLE, closeHandle> event_;
};

// A thread that runs `body` once. Either joined (waited for) or detached (left
// to end on its own) before the object goes.
class WorkerThread {
  public:
    WorkerThread() = default;
    // False when the thread could not be started.
    bool start(std::function<void()> body);
    bool running() const { return static_cast<bool>(thread_); }
    void join();
    void detach() { thread_.reset(); }

  private:
    Unique<HANDLE, closeHandle> thread_;
};

}  // namespace win32
