// The mouse, the keyboard, the focus and dropped files, turned into the
// model's input calls.

#include "mainwindow/win32/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "mainwindow/hit_test.h"
#include "mainwindow/keyboard.h"
#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

int mouseButtons(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) buttons |= mainwindow::mouse::left;
    if (keys & MK_RBUTTON) buttons |= mainwindow::mouse::right;
    if (keys & MK_MBUTTON) buttons |= mainwindow::mouse::middle;
    return buttons;
}

// The keys the model acts on; the modifiers that give a key another meaning
// (Ctrl+Esc opens the Start menu) leave it alone. Space is not among them:
// the focused stand-in presses on its release, as a button does.
std::optional<mainwindow::Key> keyOf(const MSG& message) {
    using mainwindow::Key;
    const bool alt = (message.lParam & (1 << 29)) != 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (message.wParam) {
        case VK_TAB:
            if (alt || ctrl) return std::nullopt;
            return shift ? Key::shiftTab : Key::tab;
        case VK_RETURN:
            if (alt || ctrl) return std::nullopt;
            return Key::enter;
        case VK_ESCAPE:
            if (alt || ctrl) return std::nullopt;
            return Key::escape;
        case VK_F4:
            if (ctrl) return std::nullopt;
            return alt ? Key::altF4 : Key::f4;
        case VK_DOWN:
            if (!alt || ctrl) return std::nullopt;
            return Key::altDown;
        default:
            return std::nullopt;
    }
}

std::u16string windowText(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1);
    int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return ::win32::fromWide({text.data(), static_cast<std::size_t>(std::max(length, 0))});
}

}  // namespace

bool MainWindow::translateKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!window_ || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) return false;
    // No keys while a command waits for the disk: Escape would end it.
    if (!::IsWindowEnabled(window_)) return true;
    auto key = keyOf(message);
    if (!key) return false;
    if (*key == mainwindow::Key::tab || *key == mainwindow::Key::shiftTab) {
        // The keyboard is in use: from now on the focus shows.
        ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    return form_.keyPressed(*key);
}

void MainWindow::open(const std::u16string& path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(::win32::wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    form_.dropped(path, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

MainWindow::Answer MainWindow::onDropFiles(HDROP drop) {
    // Only the first item counts: the window holds one folder and one picture.
    std::u16string path;
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    if (length > 0 && length != 0xFFFFFFFF) {
        std::vector<wchar_t> buffer(length + 1);
        ::DragQueryFileW(drop, 0, buffer.data(), length + 1);
        path = ::win32::fromWide(buffer.data());
    }
    ::DragFinish(drop);
    open(path);
    return 0;
}

MainWindow::Answer MainWindow::onMouseMove(WPARAM keys, LPARAM at) {
    controls_.mouseMoved(keys, at);
    form_.mouseMoved(twips(at), mouseButtons(keys));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonDown(LPARAM at) {
    ::SetCapture(window_);
    form_.leftButtonDown(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonDoubleClick(LPARAM at) {
    ::SetCapture(window_);
    form_.leftDoubleClick(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonUp(LPARAM at) {
    if (::GetCapture() == window_) ::ReleaseCapture();
    form_.leftButtonUp(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onSetCursor(HWND over, UINT hitTest) {
    if (over != window_ || hitTest != HTCLIENT) return std::nullopt;
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(window_, &p);
    const mainwindow::TwipPoint at{pixelsToTwips(p.x, dpi_), pixelsToTwips(p.y, dpi_)};
    auto under = mainwindow::controlAt(form_.controls(), at);
    if (!under || !form_.control(*under).upArrowCursor) return std::nullopt;
    ::SetCursor(::LoadCursorW(nullptr, IDC_UPARROW));
    return TRUE;
}

MainWindow::Answer MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (controls_.checkBoxNotified(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) return 0;
    auto box = controls_.boxOf(reinterpret_cast<HWND>(lParam));
    if (!box) return 0;
    switch (HIWORD(wParam)) {
        case EN_CHANGE:
            // The model ignores a text it already holds, which is what a
            // text it put there itself comes back as.
            form_.textEdited(*box, windowText(reinterpret_cast<HWND>(lParam)));
            break;
        case EN_SETFOCUS:
            form_.focusEntered(*box);
            break;
        case EN_KILLFOCUS:
            form_.focusLeft(*box);
            break;
        default:
            break;
    }
    return 0;
}

MainWindow::Answer MainWindow::onGetObject() {
    // The system's own object answers; the boxes are named before it does.
    controls_.accessibilityWanted();
    return std::nullopt;
}

MainWindow::Answer MainWindow::onActivate(UINT state) {
    // Give the focus back to the child that had it, as dialogs do.
    if (state == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) focused_ = focus;
    }
    return std::nullopt;
}

MainWindow::Answer MainWindow::onSetFocus() {
    // At first the window keeps the focus itself: nothing in it is focused,
    // and a screen reader names the window.
    if (focused_ && ::IsWindow(focused_)) ::SetFocus(focused_);
    return 0;
}

mainwindow::TwipPoint MainWindow::twips(LPARAM lParam) const {
    return {pixelsToTwips(GET_X_LPARAM(lParam), dpi_), pixelsToTwips(GET_Y_LPARAM(lParam), dpi_)};
}

}  // namespace mainwindow::win32
