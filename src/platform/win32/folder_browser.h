#pragma once

#include "platform/folder_browser.h"
#include "platform/win32/uses_shell.h"

namespace win32 {

class FolderBrowser : public platform::FolderBrowser, private UsesShell {
  public:
    using UsesShell::UsesShell;
    std::u16string browse(platform::WindowHandle owner, std::u16string_view title) override;
};

}  // namespace win32
