#pragma once

#include <string_view>

namespace platform {

// Where a command run from a script reports, one line at a time: the
// console it was started from, a file or pipe, or nowhere.
class TextOutput {
  public:
    virtual ~TextOutput() = default;
    virtual void writeLine(std::u16string_view line) = 0;
};

}  // namespace platform
