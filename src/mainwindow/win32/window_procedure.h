#pragma once

#include <windows.h>

#include <functional>

namespace mainwindow::win32 {

// The object a window's messages go to, held in its GWLP_USERDATA; null
// before it is attached and once the window is gone.
template <typename Owner>
Owner* ownerOf(HWND window) {
    return reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename Owner>
void attachOwner(HWND window, Owner* owner) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

// The window procedure that hands each message to `handler`, called as
// handler(owner, window, message, wParam, lParam) on the window's `Owner`.
// A window of a class made with it is attached on WM_NCCREATE to the `Owner*`
// given as CreateWindowExW's last argument; a subclassed window is attached
// by subclass() below. Messages before that go to DefWindowProcW. The owner
// is let go before it sees WM_NCDESTROY, so nothing reaches it afterwards.
template <typename Owner, auto handler>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* created = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        attachOwner(window, static_cast<Owner*>(created->lpCreateParams));
    }
    auto* owner = ownerOf<Owner>(window);
    if (!owner) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) attachOwner<Owner>(window, nullptr);
    return std::invoke(handler, *owner, window, message, wParam, lParam);
}

// Sends an existing window's messages to `procedure` (a windowProcedure) and
// `owner`; returns the window's own procedure, which the handler hands on to.
template <typename Owner>
WNDPROC subclass(HWND window, Owner* owner, WNDPROC procedure) {
    attachOwner(window, owner);
    return reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace mainwindow::win32
