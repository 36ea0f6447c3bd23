#pragma once

#include <windows.h>

#include "platform/common_dialog.h"
#include "platform/folder_browser.h"
#include "platform/message_dialog.h"
#include "platform/number_locale.h"
#include "platform/url_launcher.h"
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

// Each dialog is modal over the owner window given once it exists.
class OwnedDialog {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

  protected:
    HWND owner_ = nullptr;
};

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

class FolderBrowser : public platform::FolderBrowser, private UsesShell {
  public:
    using UsesShell::UsesShell;
    std::u16string browse(platform::WindowHandle owner, std::u16string_view title) override;
};

class CommonDialogs : public platform::CommonDialogs, public OwnedDialog, private UsesShell {
  public:
    using UsesShell::UsesShell;
    bool showOpen(platform::CommonDialogState& state) override;
    bool showColor(platform::CommonDialogState& state) override;

  private:
    // The dialog's sixteen custom colours, kept while the program runs.
    COLORREF customColours_[16]{};
};

class NumberLocale : public platform::NumberLocale {
  public:
    char16_t decimalSeparator() const override;
};

class UrlLauncher : public platform::UrlLauncher, private UsesShell {
  public:
    using UsesShell::UsesShell;
    bool open(std::u16string_view url) override;
};

}  // namespace win32
