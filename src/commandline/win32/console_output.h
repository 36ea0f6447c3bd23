#pragma once

#include <windows.h>

#include "platform/text_output.h"
#include "platform/win32/unique_handle.h"

namespace commandline::win32 {

// The output of a program built for the window: Windows gives it no console
// of its own. Into a file or pipe when the output is redirected, in UTF-8;
// else into the console of the program that started it, if that has one;
// else, as from Explorer, nowhere.
class ConsoleOutput : public platform::TextOutput {
  public:
    ConsoleOutput();
    void writeLine(std::u16string_view line) override;

  private:
    enum class Kind { nowhere, console, bytes };
    Kind kind_ = Kind::nowhere;
    HANDLE handle_ = nullptr;
    // The parent's console, opened here; the redirected handle is not ours.
    ::win32::UniqueFile console_;
};

}  // namespace commandline::win32
