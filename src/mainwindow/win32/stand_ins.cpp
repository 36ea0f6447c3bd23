#include "mainwindow/win32/stand_ins.h"

#include <algorithm>
#include <utility>

#include "mainwindow/keyboard.h"
#include "mainwindow/win32/draws_nothing.h"
#include "mainwindow/win32/painter.h"
#include "mainwindow/win32/place_child.h"
#include "mainwindow/win32/window_procedure.h"
#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::ControlId;

constexpr wchar_t className[] = L"FolderBackgroundCommand";
// Posted to a stand-in to run a press its accessible object was asked for.
// It carries nothing: from another program it finds nothing asked and
// presses nothing.
constexpr UINT runAskedPress = WM_APP + 1;

}  // namespace

StandIns::StandIns(mainwindow::Form1& form, std::function<UINT()> dpi,
                   std::function<void()> accessibilityWanted)
    : form_(form), dpi_(std::move(dpi)), accessibilityWanted_(std::move(accessibilityWanted)) {}

bool StandIns::create(HWND parent) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW standInClass{};
    standInClass.cbSize = sizeof(standInClass);
    // Attached to the answers an accessible object reads back from the window.
    standInClass.lpfnWndProc = windowProcedure<CommandAnswers, &StandIns::onMessage>;
    standInClass.hInstance = instance;
    standInClass.lpszClassName = className;
    if (!::RegisterClassExW(&standInClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }

    const UINT dpi = dpi_();
    for (ControlId id : mainwindow::paintedCommands) {
        const RECT r = pixelRect(form_.control(id).rect, dpi);
        windows_[id] = ::CreateWindowExW(
            WS_EX_TRANSPARENT, className, ::win32::wide(form_.accessible(id).name),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id) + 1), instance,
            static_cast<CommandAnswers*>(this));
    }
    return true;
}

void StandIns::layout() {
    const UINT dpi = dpi_();
    for (ControlId id : mainwindow::paintedCommands) {
        placeChild(window(id), form_.control(id).rect, dpi);
    }
}

HWND StandIns::window(ControlId command) const {
    auto it = windows_.find(command);
    return it == windows_.end() ? nullptr : it->second;
}

void StandIns::colourChanged() {
    // The colour button's description is the colour's number.
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window(ControlId::Image3), OBJID_CLIENT,
                     CHILDID_SELF);
}

LRESULT StandIns::onMessage(CommandAnswers& answers, HWND standIn, UINT message, WPARAM wParam,
                            LPARAM lParam) {
    return static_cast<StandIns&>(answers).answer(standIn, message, wParam, lParam);
}

LRESULT StandIns::answer(HWND standIn, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto drawn = drawNothing(standIn, message)) return *drawn;
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SETFOCUS:
            if (auto id = commandOf(standIn)) form_.focusEntered(*id);
            return 0;
        case WM_KILLFOCUS:
            spaceDown_ = nullptr;
            if (auto id = commandOf(standIn)) form_.focusLeft(*id);
            return 0;
        case WM_KEYDOWN:
            // As a Windows button: Space presses when it comes up, and only
            // if it went down here. Ctrl+Space is someone else's.
            if (wParam == VK_SPACE && ::GetKeyState(VK_CONTROL) >= 0) {
                if ((lParam & (1 << 30)) == 0) spaceDown_ = standIn;
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE && spaceDown_ == standIn) {
                spaceDown_ = nullptr;
                form_.keyPressed(mainwindow::Key::space);
                return 0;
            }
            break;
        case runAskedPress:
            if (auto id = commandOf(standIn)) {
                auto asked = std::find(pressesAsked_.begin(), pressesAsked_.end(), *id);
                if (asked == pressesAsked_.end()) return 0;
                pressesAsked_.erase(asked);
                form_.press(*id);
            }
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                accessibilityWanted_();
                return accessibleCommand(standIn, wParam);
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(standIn, message, wParam, lParam);
}

std::optional<ControlId> StandIns::commandOf(HWND standIn) const {
    for (auto [id, window] : windows_) {
        if (window == standIn) return id;
    }
    return std::nullopt;
}

mainwindow::AccessibleInfo StandIns::describe(HWND standIn) const {
    auto id = commandOf(standIn);
    return id ? form_.accessible(*id) : mainwindow::AccessibleInfo{};
}

void StandIns::pressSoon(HWND standIn) {
    auto id = commandOf(standIn);
    if (!id) return;
    pressesAsked_.push_back(*id);
    ::PostMessageW(standIn, runAskedPress, 0, 0);
}

}  // namespace mainwindow::win32
