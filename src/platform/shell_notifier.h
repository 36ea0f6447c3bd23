#pragma once

#include <string>

namespace platform {

// Tells the shell that a folder's customisation changed, so that an open
// window of that folder draws it again without waiting for F5.
class ShellNotifier {
  public:
    virtual ~ShellNotifier() = default;
    virtual void folderChanged(const std::u16string& folder) = 0;
    // Files inside the folder came or went (our icon file), which an open
    // window of it lists.
    virtual void folderContentsChanged(const std::u16string& folder) = 0;
};

}  // namespace platform
