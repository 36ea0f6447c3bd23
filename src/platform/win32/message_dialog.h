#pragma once

#include <windows.h>

#include "platform/message_dialog.h"
#include "platform/win32/owned_dialog.h"
#include "platform/win32/uses_shell.h"

namespace win32 {

// MessageBoxW's shape: the system's box, or a test's stand-in for it.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);

class MessageDialog : public platform::MessageDialog, public OwnedDialog, private UsesShell {
  public:
    MessageDialog(ComOnFirstUse& com, ThemedControls& themed,
                  MessageBoxFunction box = ::MessageBoxW)
        : UsesShell(com, themed), box_(box) {}
    void show(std::u16string_view text, std::u16string_view title) override;

  private:
    MessageBoxFunction box_;
};

}  // namespace win32
