// What the model asks of the window: texts, focus, redraws, its size and
// its end.

#include "mainwindow/win32/main_window.h"

#include <utility>

namespace mainwindow::win32 {

using mainwindow::ControlId;

void MainWindow::showText(ControlId box, const std::u16string& text) {
    controls_.showText(box, text);
}

void MainWindow::selectAll(ControlId box) { controls_.selectAll(box); }

void MainWindow::redraw(ControlId id) {
    repaint();
    if (id == ControlId::vcolor) controls_.colourChanged();
    if (id == ControlId::iconBox) controls_.checkBoxChanged();
}

void MainWindow::moveFocus(ControlId id) { controls_.focus(id); }

platform::WindowHandle MainWindow::handle() const {
    return reinterpret_cast<platform::WindowHandle>(window_);
}

bool MainWindow::setOuterSize(int widthPixels, int heightPixels) {
    if (::IsIconic(window_)) return false;
    RECT r{};
    ::GetWindowRect(window_, &r);
    if (r.right - r.left == widthPixels && r.bottom - r.top == heightPixels) return true;
    return ::SetWindowPos(window_, nullptr, 0, 0, widthPixels, heightPixels,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool MainWindow::setOuterHeight(int twips) {
    RECT r{};
    ::GetWindowRect(window_, &r);
    return setOuterSize(r.right - r.left, twipsToPixels(twips, dpi_));
}

bool MainWindow::setOuterWidth(int twips) {
    RECT r{};
    ::GetWindowRect(window_, &r);
    return setOuterSize(twipsToPixels(twips, dpi_), r.bottom - r.top);
}

void MainWindow::dragWithMouse() {
    ::ReleaseCapture();
    ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::endProgram() { ::DestroyWindow(window_); }

void MainWindow::acceptInput(bool accept) {
    // A disabled window still paints and answers, but neither the mouse nor
    // the keyboard reaches it or its boxes, and it cannot be closed.
    if (!accept) focusWhileWaiting_ = ::GetFocus();
    ::EnableWindow(window_, accept ? TRUE : FALSE);
    if (accept && focusWhileWaiting_ && ::IsWindow(focusWhileWaiting_)) {
        ::SetFocus(std::exchange(focusWhileWaiting_, nullptr));
    }
}

}  // namespace mainwindow::win32
