#pragma once

#include <windows.h>

namespace win32 {

// Each dialog is modal over the owner window given once it exists.
class OwnedDialog {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

  protected:
    HWND owner_ = nullptr;
};

}  // namespace win32
