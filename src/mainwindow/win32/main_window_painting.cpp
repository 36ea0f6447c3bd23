// Painting the client area, at the window's DPI.

#include "mainwindow/win32/main_window.h"

#include <memory>
#include <utility>

#include "platform/win32/gdi_guards.h"

namespace mainwindow::win32 {

MainWindow::Answer MainWindow::onPaint() {
    ::win32::PaintDc dc(window_);
    paint(dc.get());
    return 0;
}

MainWindow::Answer MainWindow::onPrintClient(HDC dc) {
    paint(dc);
    return 0;
}

void MainWindow::paint(HDC dc) {
    RECT client{};
    ::GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0 || !fonts_ || !artwork_) return;
    ::win32::MemoryCanvas canvas(dc, client.right, client.bottom);
    paintForm(canvas.get(), client, form_, *artwork_, *fonts_, dpi_, showsFocus());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, canvas.get(), 0, 0, SRCCOPY);
}

bool MainWindow::showsFocus() const {
    const auto state = ::SendMessageW(window_, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

void MainWindow::repaint() {
    // A control may have moved or been hidden, so its old place is
    // repainted too: the whole client area is cheap enough.
    ::InvalidateRect(window_, nullptr, FALSE);
}

MainWindow::Answer MainWindow::onUpdateUiState(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::DefWindowProcW(window_, WM_UPDATEUISTATE, wParam, lParam);
    repaint();
    return result;
}

MainWindow::Answer MainWindow::onSize() {
    if (controls_.created()) form_.Form_Resize();
    return 0;
}

MainWindow::Answer MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The boxes hold the old fonts until they have the new ones.
    auto previousFonts = std::exchange(fonts_, std::make_unique<Fonts>(dpi_));
    if (artwork_) artwork_->scaleFor(dpi_);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.layout(*fonts_);
    previousFonts.reset();
    form_.scaleChanged();
    ::InvalidateRect(window_, nullptr, FALSE);
    return 0;
}

}  // namespace mainwindow::win32
