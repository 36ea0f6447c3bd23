#include "mainwindow/win32/native_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>

#include "mainwindow/hit_test.h"
#include "mainwindow/keyboard.h"
#include "mainwindow/win32/draws_nothing.h"
#include "mainwindow/win32/place_child.h"
#include "mainwindow/win32/window_procedure.h"
#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::Control;
using mainwindow::ControlId;
using mainwindow::ControlKind;

// The native children in their stacking order.
constexpr std::array nativeChildren{ControlId::Command1, ControlId::fold,  ControlId::img,
                                    ControlId::color,    ControlId::Text1, ControlId::iconBox};

// The tooltip's tools, on the main window.
constexpr UINT_PTR closeTool = 1;
constexpr UINT_PTR iconBoxTool = 2;

// The style of a native child of `kind` that takes the keyboard when `seen`.
DWORD childStyle(ControlKind kind, bool seen) {
    const DWORD common = WS_CHILD | (seen ? WS_VISIBLE | WS_TABSTOP : 0);
    switch (kind) {
        case ControlKind::pushButton:
            return common | BS_PUSHBUTTON;
        case ControlKind::checkBox:
            // Arabic: the box on the right, its text before it. BS_NOTIFY
            // tells of the focus, which the model keeps for Tab.
            return common | BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | BS_NOTIFY;
        default:
            return common | ES_AUTOHSCROLL;
    }
}

// The boxes a person sees, and the painted labels that say what each holds.
constexpr std::array<std::pair<ControlId, ControlId>, 2> labelledBoxes{
    {{ControlId::fold, ControlId::Label3}, {ControlId::img, ControlId::Label5}}};

bool inTabOrder(ControlId id) {
    return std::find(mainwindow::tabOrder.begin(), mainwindow::tabOrder.end(), id) !=
           mainwindow::tabOrder.end();
}

bool highContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

NativeControls::NativeControls(mainwindow::Form1& form, ::win32::ComOnFirstUse& com,
                               ::win32::ThemedControls& themed, std::function<UINT()> dpi)
    : form_(form),
      com_(com),
      themed_(themed),
      dpi_(std::move(dpi)),
      standIns_(form, dpi_, std::bind_front(&NativeControls::accessibilityWanted, this)) {}

bool NativeControls::create(HWND parent, const Fonts& fonts) {
    parent_ = parent;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const UINT dpi = dpi_();
    for (ControlId id : nativeChildren) {
        const Control& control = form_.control(id);
        const bool edit = control.kind == ControlKind::textBox;
        // What lies out of sight is hidden too, so that assistive tools pass
        // it over; a hidden box still holds its text.
        const DWORD style = childStyle(control.kind, inTabOrder(id));
        const DWORD extended = control.kind == ControlKind::checkBox ? WS_EX_RTLREADING : 0;
        // Made in place and with their font: moving them afterwards would lay
        // each out twice before the first paint.
        const RECT r = pixelRect(control.rect, dpi);
        HWND child = ::CreateWindowExW(
            extended, edit ? WC_EDITW : WC_BUTTONW, ::win32::wide(control.text), style, r.left,
            r.top, r.right - r.left, r.bottom - r.top, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id) + 1), instance, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.get(control.font)), FALSE);
        children_[id] = child;
        if (edit) {
            editProc_ = subclass(child, this,
                                 windowProcedure<NativeControls, &NativeControls::onBoxMessage>);
        }
    }
    checkBoxChanged();
    // After the boxes, so that the stand-ins follow them among the siblings.
    return standIns_.create(parent_);
}

// The one tooltip is the close picture's, and only the mouse shows it, so it
// is made when the mouse first comes over that picture rather than before the
// window's first paint.
void NativeControls::mouseMoved(WPARAM keys, LPARAM at) {
    if (toolTip_) return;
    // A disabled box leaves the mouse to the main window, which is where
    // its tooltip is shown from.
    const bool overBox = form_.control(ControlId::iconBox).rect.contains(twips(at));
    if (!overBox && mainwindow::controlAt(form_.controls(), twips(at)) != ControlId::Image6) {
        return;
    }
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
        placeChild(child, form_.control(id).rect, dpi);
        ::SendMessageW(child, WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts.get(form_.control(id).font)), TRUE);
    }
    standIns_.layout();
    for (auto [label, window] : labels_) placeChild(window, form_.control(label).rect, dpi);
    placeToolTip();
}

void NativeControls::placeToolTip() {
    if (!toolTip_) return;
    for (auto [id, toolId] :
         {std::pair{ControlId::Image6, closeTool}, std::pair{ControlId::iconBox, iconBoxTool}}) {
        const Control& control = form_.control(id);
        std::wstring tip = ::win32::toWide(control.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        // The tip is Arabic, on every Windows.
        tool.uFlags = TTF_SUBCLASS | TTF_RTLREADING;
        tool.hwnd = parent_;
        tool.uId = toolId;
        tool.rect = pixelRect(control.rect, dpi_());
        tool.lpszText = tip.data();
        ::SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        // The box has a tip only while it says why it is disabled.
        if (!tip.empty())
            ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void NativeControls::accessibilityWanted() {
    // Once, and not before the boxes are there.
    if (annotations_ || !window(ControlId::img)) return;
    com_.enter();
    annotations_.emplace();
    bool labelled = false;
    for (auto [box, label] : labelledBoxes) {
        const std::wstring name = ::win32::toWide(form_.accessible(box).name);
        if (annotations_->name(window(box), name)) continue;
        labelBox(box, label);
        labelled = true;
    }
    // By the same rule the hidden boxes that follow would take the picture
    // box's name: an empty label of no size before them stops that.
    if (labelled) addLabel(ControlId::color, u"", {});
}

// The system names a box by the static text just before it among its
// siblings, the way a dialog's label names its box. That label lies over the
// painted one, says the same and draws nothing; the mouse passes through it,
// as through any label without SS_NOTIFY.
void NativeControls::labelBox(ControlId box, ControlId label) {
    const Control& painted = form_.control(label);
    if (HWND window = addLabel(box, painted.text, painted.rect)) labels_[label] = window;
}

HWND NativeControls::addLabel(ControlId before, const std::u16string& text,
                              const mainwindow::TwipRect& rect) {
    const RECT r = pixelRect(rect, dpi_());
    HWND label =
        ::CreateWindowExW(WS_EX_TRANSPARENT, WC_STATICW, ::win32::wide(text),
                          WS_CHILD | WS_VISIBLE | SS_RIGHT, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!label) return nullptr;
    staticProc_ =
        subclass(label, this, windowProcedure<NativeControls, &NativeControls::onLabelMessage>);
    HWND above = ::GetWindow(window(before), GW_HWNDPREV);
    ::SetWindowPos(label, above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return label;
}

LRESULT NativeControls::onLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    // The main window draws the label beneath.
    if (auto drawn = drawNothing(label, message)) return *drawn;
    return ::CallWindowProcW(staticProc_, label, message, wParam, lParam);
}

LRESULT NativeControls::onBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK:
            if (auto id = boxOf(box)) {
                form_.boxDoubleClicked(*id);
                return 0;
            }
            break;
        case WM_GETOBJECT:
            // The box's own object answers, named beforehand.
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) accessibilityWanted();
            break;
        case WM_DESTROY:
            if (annotations_) annotations_->clear(box);
            break;
        default:
            break;
    }
    return ::CallWindowProcW(editProc_, box, message, wParam, lParam);
}

COLORREF NativeControls::textColour(ControlId box) const {
    // The designed dark grey is unreadable on a black high-contrast theme.
    if (highContrast()) return ::GetSysColor(COLOR_WINDOWTEXT);
    return resolveColour(form_.control(box).foreColour);
}

mainwindow::TwipPoint NativeControls::twips(LPARAM at) const {
    const UINT dpi = dpi_();
    return {pixelsToTwips(GET_X_LPARAM(at), dpi), pixelsToTwips(GET_Y_LPARAM(at), dpi)};
}

std::optional<ControlId> NativeControls::boxOf(HWND child) const {
    for (auto [id, window] : children_) {
        if (window == child && form_.control(id).kind == ControlKind::textBox) return id;
    }
    return std::nullopt;
}

HWND NativeControls::window(ControlId control) const {
    auto it = children_.find(control);
    return it == children_.end() ? standIns_.window(control) : it->second;
}

void NativeControls::showText(ControlId box, const std::u16string& text) {
    if (HWND child = window(box)) ::SetWindowTextW(child, ::win32::wide(text));
}

void NativeControls::selectAll(ControlId box) {
    // Posted, so that a click that moved the focus here places its caret
    // first and the selection still wins.
    if (HWND child = window(box)) ::PostMessageW(child, EM_SETSEL, 0, -1);
}

void NativeControls::focus(ControlId control) {
    if (HWND child = window(control)) ::SetFocus(child);
}

void NativeControls::colourChanged() { standIns_.colourChanged(); }

void NativeControls::checkBoxChanged() {
    HWND box = window(ControlId::iconBox);
    if (!box) return;
    const Control& control = form_.control(ControlId::iconBox);
    ::SendMessageW(box, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    ::EnableWindow(box, control.enabled ? TRUE : FALSE);
    placeToolTip();
}

bool NativeControls::checkBoxNotified(HWND child, WORD code) {
    if (!child || child != window(ControlId::iconBox)) return false;
    switch (code) {
        case BN_CLICKED:
            form_.iconBoxClicked(::SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED);
            break;
        case BN_SETFOCUS:
            form_.focusEntered(ControlId::iconBox);
            break;
        case BN_KILLFOCUS:
            form_.focusLeft(ControlId::iconBox);
            break;
        default:
            break;
    }
    return true;
}

std::optional<HBRUSH> NativeControls::checkBoxColours(HWND child, HDC dc) const {
    if (!child || child != window(ControlId::iconBox)) return std::nullopt;
    if (highContrast()) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    ::SetTextColor(dc, resolveColour(form_.control(ControlId::iconBox).foreColour));
    ::SetBkMode(dc, TRANSPARENT);
    return nullptr;
}

}  // namespace mainwindow::win32
