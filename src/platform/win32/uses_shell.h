#pragma once

#include "platform/win32/com_apartment.h"
#include "platform/win32/themed_controls.h"

namespace win32 {

// What the system's dialogs want of the calling thread: the themed
// controls, and for the shell's dialogs and ShellExecute also COM.
class UsesShell {
  public:
    UsesShell(ComOnFirstUse& com, ThemedControls& themed) : com_(com), themed_(themed) {}

  protected:
    ComOnFirstUse& com_;
    ThemedControls& themed_;
};

}  // namespace win32
