#pragma once

#include "platform/window_handle.h"

namespace platform {

// What the window's handlers ask of the top-level window itself.
class MainFrame {
  public:
    virtual ~MainFrame() = default;

    virtual WindowHandle handle() const = 0;

    // Outer size in twips; false when the platform refuses (e.g. minimised).
    virtual bool setOuterHeight(int twips) = 0;
    virtual bool setOuterWidth(int twips) = 0;

    // Releases the mouse capture and lets the system move the window with the
    // pointer until the left button is released.
    virtual void dragWithMouse() = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;

    // While false, the window takes no mouse or keyboard input but still
    // paints and answers: a command waits for the disk meanwhile.
    virtual void acceptInput(bool accept) = 0;
};

}  // namespace platform
