#pragma once

#include <string_view>

namespace platform {

// A modal message box with one OK button and no icon.
class MessageDialog {
  public:
    virtual ~MessageDialog() = default;
    virtual void show(std::u16string_view text, std::u16string_view title) = 0;
};

}  // namespace platform
