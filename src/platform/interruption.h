#pragma once

namespace platform {

// Whether the person has asked a running command to stop, as with Ctrl+C in
// the console it was typed in. The command stops between two folders.
class Interruption {
  public:
    virtual ~Interruption() = default;
    virtual bool requested() const = 0;
};

}  // namespace platform
