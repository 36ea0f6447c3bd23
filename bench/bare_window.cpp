// The least a window program does: register a class, create and show one
// window, fill it with one colour and run the message loop. Its start-up and
// memory are the floor FolderBackground is measured against.
#include <windows.h>

#include "platform/win32/gdi_guards.h"

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const win32::PaintDc dc(window);
            ::FillRect(dc.get(), &dc.area(), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"BareWindow";
    if (!::RegisterClassExW(&windowClass)) return 1;

    // The main window's outer size at 96 DPI, so both paint as many pixels.
    HWND window =
        ::CreateWindowExW(0, L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 663, 346, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
#ifdef BARE_WINDOW_WITH_BOX
    // One edit box with visual styles, as the program's own boxes have: the
    // share of start-up that loading the themed controls takes.
    ::CreateWindowExW(0, L"Edit", L"C:\\Program Files", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10,
                      10, 220, 20, window, nullptr, instance, nullptr);
#endif
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
