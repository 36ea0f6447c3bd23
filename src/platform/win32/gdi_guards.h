#pragma once

// Owners of a DC borrowed for painting and of a GDI selection, beside the
// handle owners they build on.

#include <windows.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace win32 {

// BeginPaint/EndPaint as one object.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }
    // What needs painting.
    const RECT& area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetDC/ReleaseDC as one object; a null window gives the screen's DC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { ::SelectObject(dc_, previous_); }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap-backed DC to draw a whole frame into before one blit.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC compatibleWith, int width, int height)
        : dc_(::CreateCompatibleDC(compatibleWith)),
          bitmap_(::CreateCompatibleBitmap(compatibleWith, width, height)),
          select_(dc_.get(), bitmap_.get()) {}
    HDC get() const { return dc_.get(); }

  private:
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    SelectGuard select_;
};

}  // namespace win32
