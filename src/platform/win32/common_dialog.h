#pragma once

#include <windows.h>

#include "platform/common_dialog.h"
#include "platform/win32/owned_dialog.h"
#include "platform/win32/uses_shell.h"

namespace win32 {

class CommonDialogs : public platform::CommonDialogs, public OwnedDialog, private UsesShell {
  public:
    using UsesShell::UsesShell;
    bool showOpen(platform::CommonDialogState& state) override;
    bool showColor(platform::CommonDialogState& state) override;

  private:
    // The dialog's sixteen custom colours, kept while the program runs.
    COLORREF customColours_[16]{};
};

}  // namespace win32
