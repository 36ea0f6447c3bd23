#pragma once

#include <windows.h>

#include "platform/common_dialog.h"
#include "platform/folder_browser.h"
#include "platform/message_dialog.h"
#include "platform/number_locale.h"
#include "platform/url_launcher.h"
#include "platform/win32/com_apartment.h"

namespace win32 {

// Each dialog is modal over the owner window given once it exists.
class OwnedDialog {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

  protected:
    HWND owner_ = nullptr;
};

class MessageDialog : public platform::MessageDialog, public OwnedDialog {
  public:
    void show(std::u16string_view text, std::u16string_view title) override;
};

// The shell's dialogs and ShellExecute want COM on the calling thread.
class NeedsCom {
  public:
    explicit NeedsCom(ComOnFirstUse& com) : com_(com) {}

  protected:
    ComOnFirstUse& com_;
};

class FolderBrowser : public platform::FolderBrowser, private NeedsCom {
  public:
    using NeedsCom::NeedsCom;
    std::u16string browse(platform::WindowHandle owner, std::u16string_view title) override;
};

class CommonDialogs : public platform::CommonDialogs, public OwnedDialog, private NeedsCom {
  public:
    using NeedsCom::NeedsCom;
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

class UrlLauncher : public platform::UrlLauncher, private NeedsCom {
  public:
    using NeedsCom::NeedsCom;
    bool open(std::u16string_view url) override;
};

}  // namespace win32
