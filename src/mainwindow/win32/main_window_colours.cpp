// The native children's colours and backgrounds.

#include "mainwindow/win32/main_window.h"

#include "platform/win32/gdi_guards.h"

namespace mainwindow::win32 {

MainWindow::Answer MainWindow::onCtlColorEdit(HDC dc, HWND edit) {
    auto box = controls_.boxOf(edit);
    if (!box) return std::nullopt;
    ::SetTextColor(dc, controls_.textColour(*box));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

// The check box lies on the painted background: its brush is what the
// window paints beneath it. A brush, not a paint into the box's DC: the box
// fills with it only when it draws itself whole, and a focus change that
// draws only the focus rectangle must not wipe its label.
MainWindow::Answer MainWindow::onCtlColorStatic(HDC dc, HWND control) {
    auto brush = controls_.checkBoxColours(control, dc);
    if (!brush) return std::nullopt;
    if (*brush) return reinterpret_cast<LRESULT>(*brush);
    RECT box{};
    ::GetClientRect(control, &box);
    POINT origin{0, 0};
    ::MapWindowPoints(control, window_, &origin, 1);
    ::win32::UniqueBitmap beneath(::CreateCompatibleBitmap(dc, box.right, box.bottom));
    ::win32::UniqueDc canvas(::CreateCompatibleDC(dc));
    if (!beneath || !canvas) return std::nullopt;
    {
        ::win32::SelectGuard select(canvas.get(), beneath.get());
        ::SetViewportOrgEx(canvas.get(), -origin.x, -origin.y, nullptr);
        paint(canvas.get());
    }
    checkBoxBrush_ = ::win32::UniqueBrush(::CreatePatternBrush(beneath.get()));
    if (!checkBoxBrush_) return std::nullopt;
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    return reinterpret_cast<LRESULT>(checkBoxBrush_.get());
}

}  // namespace mainwindow::win32
