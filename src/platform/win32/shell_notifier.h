#pragma once

#include "platform/shell_notifier.h"

namespace win32 {

class ShellNotifier : public platform::ShellNotifier {
  public:
    void folderChanged(const std::u16string& folder) override;
    void folderContentsChanged(const std::u16string& folder) override;
};

}  // namespace win32
