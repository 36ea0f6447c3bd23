#pragma once

#include <string>
#include <vector>

#include "platform/shell_notifier.h"

namespace fakes {

// Records which folders the shell was told of, in order.
class FakeShell : public platform::ShellNotifier {
  public:
    void folderChanged(const std::u16string& folder) override { changed.push_back(folder); }
    void folderContentsChanged(const std::u16string& folder) override {
        contentsChanged.push_back(folder);
    }
    std::vector<std::u16string> changed;
    std::vector<std::u16string> contentsChanged;
};

}  // namespace fakes
