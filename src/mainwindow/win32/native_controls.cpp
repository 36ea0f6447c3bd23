#include "mainwindow/win32/native_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>

#include "mainwindow/hit_test.h"
#include "mainwindow/keyboard.h"
#include "mainwindow/win32/accessible_control.h"
#include "platform/win32/wide_text.h"

namespace app {
namespace {

using mainwindow::Control;
using mainwindow::ControlId;
using mainwindow::ControlKind;

constexpr wchar_t commandClassName[] = L"FolderBackgroundCommand";

// The native children in their stacking order.
constexpr std::array nativeChildren{ControlId::Command1, ControlId::fold, ControlId::img,
                                    ControlId::color, ControlId::Text1};

bool inTabOrder(ControlId id) {
    return std::find(mainwindow::tabOrder.begin(), mainwindow::tabOrder.end(), id) !=
           mainwindow::tabOrder.end();
}

}  // namespace

NativeControls::NativeControls(mainwindow::Form1& form, win32::ComOnFirstUse& com,
                               win32::ThemedControls& themed, std::function<UINT()> dpi)
    : form_(form), com_(com), themed_(themed), dpi_(std::move(dpi)) {}

bool NativeControls::create(HWND parent, const Fonts& fonts) {
    parent_ = parent;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW commandClass{};
    commandClass.cbSize = sizeof(commandClass);
    commandClass.lpfnWndProc = commandProc;
    commandClass.hInstance = instance;
    commandClass.lpszClassName = commandClassName;
    if (!::RegisterClassExW(&commandClass)) return false;

    const UINT dpi = dpi_();
    for (ControlId id : nativeChildren) {
        const Control& control = form_.control(id);
        const bool button = control.kind == ControlKind::pushButton;
        const DWORD style = WS_CHILD | WS_VISIBLE | (inTabOrder(id) ? WS_TABSTOP : 0) |
                            (button ? BS_PUSHBUTTON : DWORD{ES_AUTOHSCROLL});
        // Made in place and with their font: moving them afterwards would lay
        // each out twice before the first paint.
        const RECT r = pixelRect(control.rect, dpi);
        HWND child = ::CreateWindowExW(
            0, button ? WC_BUTTONW : WC_EDITW, win32::wide(control.text), style, r.left, r.top,
            r.right - r.left, r.bottom - r.top, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id) + 1), instance, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.get(control.font)), FALSE);
        children_[id] = child;
        if (!button) {
            ::SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            editProc_ = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProc)));
        }
    }

    createCommandChildren();
    return true;
}

// The one tooltip is the close picture's, and only the mouse shows it, so it
// is made when the mouse first comes over that picture rather than before the
// window's first paint.
void NativeControls::mouseMoved(WPARAM keys, LPARAM at) {
    if (toolTip_) return;
    if (mainwindow::controlAt(form_.controls(), twips(at)) != ControlId::Image6) return;
    auto themed = themed_.activate();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 parent_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    placeToolTip();
    // It sees the mouse from the next move on; this one starts its timer.
    MSG move{parent_, WM_MOUSEMOVE, keys, at, static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void NativeControls::layout(const Fonts& fonts) {
    const UINT dpi = dpi_();
    for (ControlId id : nativeChildren) {
        HWND child = children_[id];
        const RECT r = pixelRect(form_.control(id).rect, dpi);
        ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(child, WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts.get(form_.control(id).font)), TRUE);
    }
    placeToolTip();
}

void NativeControls::placeToolTip() {
    if (!toolTip_) return;
    const Control& close = form_.control(ControlId::Image6);
    std::wstring tip = win32::toWide(close.toolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = parent_;
    tool.uId = 1;
    tool.rect = pixelRect(close.rect, dpi_());
    tool.lpszText = tip.data();
    ::SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK NativeControls::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NativeControls*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(box, message, wParam, lParam);
    if (message == WM_LBUTTONDBLCLK) {
        if (auto id = self->boxOf(box)) {
            self->form_.boxDoubleClicked(*id);
            return 0;
        }
    }
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (auto id = self->boxOf(box); id && inTabOrder(*id)) {
            return self->accessibleObjectOf(box, wParam);
        }
    }
    const WNDPROC edit = self->editProc_;
    // Nothing reaches this object once the box is gone.
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(box, GWLP_USERDATA, 0);
    return ::CallWindowProcW(edit, box, message, wParam, lParam);
}

// The painted commands' stand-ins: windows of their own small class that
// hold the focus and speak for the command, named by their caption. They
// take no room: the window draws the commands, focus included, and their
// accessible objects report where (a stand-in with an area would have to
// paint it again, one more paint per command at every start). The mouse
// passes through them, so the model's hit testing alone decides what the
// pointer is over.
void NativeControls::createCommandChildren() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (ControlId id : mainwindow::paintedCommands) {
        children_[id] = ::CreateWindowExW(
            0, commandClassName, win32::wide(form_.accessible(id).name),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id) + 1), instance, this);
    }
}

LRESULT CALLBACK NativeControls::commandProc(HWND child, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(child, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* self = reinterpret_cast<NativeControls*>(::GetWindowLongPtrW(child, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(child, message, wParam, lParam);
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
            if (auto id = self->controlOf(child)) self->form_.focusEntered(*id);
            return 0;
        case WM_KILLFOCUS:
            if (auto id = self->controlOf(child)) self->form_.focusLeft(*id);
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                return self->accessibleObjectOf(child, wParam);
            }
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(child, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(child, message, wParam, lParam);
}

bool NativeControls::onAccessibleMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT& result) {
    if (message != AccessibleMessages::describe() && message != AccessibleMessages::press() &&
        message != AccessibleMessages::locate()) {
        return false;
    }
    result = FALSE;
    auto id = controlOf(reinterpret_cast<HWND>(wParam));
    if (!id || !inTabOrder(*id)) return true;
    if (message == AccessibleMessages::press()) {
        form_.press(*id);
        result = TRUE;
        return true;
    }
    if (message == AccessibleMessages::locate()) {
        if (!mainwindow::isPaintedCommand(*id)) return true;
        RECT place = pixelRect(form_.control(*id).rect, dpi_());
        ::MapWindowPoints(parent_, nullptr, reinterpret_cast<POINT*>(&place), 2);
        *reinterpret_cast<RECT*>(lParam) = place;
        result = TRUE;
        return true;
    }
    *reinterpret_cast<mainwindow::AccessibleInfo*>(lParam) = form_.accessible(*id);
    result = TRUE;
    return true;
}

LRESULT NativeControls::accessibleObjectOf(HWND child, WPARAM wParam) {
    com_.enter();
    return accessibleObject(child, wParam);
}

mainwindow::TwipPoint NativeControls::twips(LPARAM at) const {
    const UINT dpi = dpi_();
    return {pixelsToTwips(GET_X_LPARAM(at), dpi), pixelsToTwips(GET_Y_LPARAM(at), dpi)};
}

std::optional<ControlId> NativeControls::controlOf(HWND child) const {
    for (auto [id, window] : children_) {
        if (window == child) return id;
    }
    return std::nullopt;
}

std::optional<ControlId> NativeControls::boxOf(HWND child) const {
    for (auto [id, window] : children_) {
        if (window == child && form_.control(id).kind == ControlKind::textBox) return id;
    }
    return std::nullopt;
}

HWND NativeControls::window(ControlId control) const {
    auto it = children_.find(control);
    return it == children_.end() ? nullptr : it->second;
}

void NativeControls::showText(ControlId box, const std::u16string& text) {
    if (HWND child = window(box)) ::SetWindowTextW(child, win32::wide(text));
}

void NativeControls::selectAll(ControlId box) {
    // Posted, so that a click that moved the focus here places its caret
    // first and the selection still wins.
    if (HWND child = window(box)) ::PostMessageW(child, EM_SETSEL, 0, -1);
}

void NativeControls::focus(ControlId control) {
    if (HWND child = window(control)) ::SetFocus(child);
}

void NativeControls::colourChanged() {
    // The colour button's description is the colour's number.
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window(ControlId::Image3), OBJID_CLIENT,
                     CHILDID_SELF);
}

}  // namespace app
