#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string_view>

#include "platform/win32/com_ptr.h"

namespace mainwindow::win32 {

// Names given to the system's own accessible objects of windows through
// oleacc's Dynamic Annotation, which leaves those objects whole. Windows XP
// without the Active Accessibility 2.0 runtime lacks it, and Wine does not
// keep what it is given: there every call fails and the caller names the
// window another way.
class Annotations {
  public:
    // COM must be entered on the calling thread.
    Annotations();

    // The name of `window`'s client object; false when it could not be given.
    bool name(HWND window, std::wstring_view name);
    // Takes back what was given `window`, before it goes: a later window may
    // get its handle.
    void clear(HWND window);

  private:
    ::win32::ComPtr<IAccPropServices> services_;
};

}  // namespace mainwindow::win32
