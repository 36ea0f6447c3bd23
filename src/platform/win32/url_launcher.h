#pragma once

#include "platform/url_launcher.h"
#include "platform/win32/uses_shell.h"

namespace win32 {

class UrlLauncher : public platform::UrlLauncher, private UsesShell {
  public:
    using UsesShell::UsesShell;
    bool open(std::u16string_view url) override;
};

}  // namespace win32
