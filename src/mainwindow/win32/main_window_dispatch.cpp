// Each message the window answers, to its handler.

#include "mainwindow/win32/main_window.h"

namespace mainwindow::win32 {
namespace {

// Sent by Windows 8.1 and later when the window moves to a monitor of
// another DPI; the XP headers we build with do not name it.
constexpr UINT dpiChanged = 0x02E0;  // WM_DPICHANGED

}  // namespace

LRESULT MainWindow::onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) window_ = window;
    const Answer answer = onMessage(message, wParam, lParam);
    return answer ? *answer : ::DefWindowProcW(window, message, wParam, lParam);
}

MainWindow::Answer MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate();
        case WM_INITMENUPOPUP:
            return onInitMenuPopup(lParam);
        case WM_SYSCOMMAND:
            return onSysCommand(wParam);
        case WM_DROPFILES:
            return onDropFiles(reinterpret_cast<HDROP>(wParam));
        case WM_SIZE:
            return onSize();
        case dpiChanged:
            return onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_ERASEBKGND:
            return 1;  // painting covers all of it, through a canvas
        case WM_PAINT:
            return onPaint();
        case WM_PRINTCLIENT:
            return onPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_UPDATEUISTATE:
            return onUpdateUiState(wParam, lParam);
        case WM_MOUSEMOVE:
            return onMouseMove(wParam, lParam);
        case WM_LBUTTONDOWN:
            return onLeftButtonDown(lParam);
        case WM_LBUTTONDBLCLK:
            return onLeftButtonDoubleClick(lParam);
        case WM_LBUTTONUP:
            return onLeftButtonUp(lParam);
        case WM_SETCURSOR:
            return onSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_COMMAND:
            return onCommand(wParam, lParam);
        case WM_GETOBJECT:
            return onGetObject();
        case WM_CTLCOLOREDIT:
            return onCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLORSTATIC:
            return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            return onActivate(LOWORD(wParam));
        case WM_SETFOCUS:
            return onSetFocus();
        case pictureFinished:
            return onPictureFinished();
        case diskWorkFinished:
            return onDiskWorkFinished();
        case WM_TIMER:
            return onTimer(wParam);
        case WM_DESTROY:
            return onDestroy();
        case WM_NCDESTROY:
            return onNcDestroy();
        default:
            return std::nullopt;
    }
}

}  // namespace mainwindow::win32
