#pragma once

#include <string>
#include <string_view>

#include "platform/window_handle.h"

namespace platform {

// The shell's modal folder browser.
class FolderBrowser {
  public:
    virtual ~FolderBrowser() = default;

    // The chosen folder's file-system path as the shell gives it (no trailing
    // backslash except a drive root), or the empty text on cancel, on an item
    // without a file-system path and on any failure.
    virtual std::u16string browse(WindowHandle owner, std::u16string_view title) = 0;
};

}  // namespace platform
