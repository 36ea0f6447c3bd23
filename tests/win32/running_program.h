#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/win32/unique_handle.h"

// Long enough for a machine busy with other work: a wait ends as soon as its
// condition holds, so an idle machine does not pay for it.
inline constexpr DWORD patience = 30000;

template <typename Condition>
bool waitFor(Condition condition, DWORD wait = patience) {
    // Unsigned differences stay right across the tick count's wrap.
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > wait) return condition();
        ::Sleep(50);
    }
    return true;
}

// The program under test, started and waited for until its window shows.
class RunningProgram {
  public:
    RunningProgram();

    // Null when the program or its window did not come up.
    HWND window() const { return window_; }
    HANDLE process() const { return process_.get(); }
    // Why the program could not be started, when it could not.
    DWORD startError() const { return startError_; }

    // Closes the window as its caption bar would; false when the program
    // did not end, in which case it is ended by force.
    bool close();

  private:
    win32::Unique<HANDLE, win32::closeHandle> process_;
    HWND window_ = nullptr;
    DWORD startError_ = 0;
};

// A test of the real program, started afresh for each test.
class ProgramTest : public ::testing::Test {
  protected:
    // Derived fixtures call this first and stop on HasFatalFailure().
    void SetUp() override {
        program_.emplace();
        window_ = program_->window();
        ASSERT_TRUE(window_) << "the program's window did not show (start error "
                             << program_->startError() << ")";
    }

    std::optional<RunningProgram> program_;
    HWND window_ = nullptr;
};

// The window's native boxes, in creation order: fold, img, color, Text1.
std::vector<HWND> editBoxes(HWND window);
