#pragma once

#include <windows.h>

namespace win32 {

// The themed common controls (version 6) for the windows made within a
// scope. The program's manifest does not ask for them for the whole process:
// the first themed control loads and starts comctl32, which under Wine costs
// the window's start a tenth of its time, and the window's own borderless
// boxes look the same without. The system's dialogs and the tooltip get them.
class ThemedControls {
  public:
    // `manifestId`: the RT_MANIFEST resource of the program that names them.
    explicit ThemedControls(int manifestId) : manifestId_(manifestId) {}
    ThemedControls(const ThemedControls&) = delete;
    ThemedControls& operator=(const ThemedControls&) = delete;
    ~ThemedControls();

    class Scope {
      public:
        explicit Scope(HANDLE context);
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope();

      private:
        ULONG_PTR cookie_ = 0;
        bool active_ = false;
    };

    // Until the scope ends, windows made on this thread get the themed
    // controls; without them (no such resource) they look classic.
    [[nodiscard]] Scope activate();

  private:
    int manifestId_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

}  // namespace win32
