#pragma once

#include "platform/interruption.h"

namespace commandline::win32 {

// Ctrl+C and Ctrl+Break in the console a command was typed in, taken as a
// request to stop instead of ending the program where it stands, which may
// be between taking a file's attributes off and replacing it. `cmd` does not
// wait for a windowed program, so a Ctrl+C meant for the prompt reaches it
// too. One at a time: the console calls its handler with no context.
class ConsoleInterruption : public platform::Interruption {
  public:
    ConsoleInterruption();
    ~ConsoleInterruption() override;
    ConsoleInterruption(const ConsoleInterruption&) = delete;
    ConsoleInterruption& operator=(const ConsoleInterruption&) = delete;

    bool requested() const override;
};

}  // namespace commandline::win32
