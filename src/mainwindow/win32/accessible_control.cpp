#include "mainwindow/win32/accessible_control.h"

#include <string>
#include <vector>

#include "platform/win32/wic.h"
#include "platform/win32/wide_text.h"

namespace app {
namespace {

using mainwindow::AccessibleInfo;
using mainwindow::AccessibleRole;

// Default actions as an Arabic screen reader announces them.
constexpr wchar_t pressAction[] = L"اضغط";
constexpr wchar_t jumpAction[] = L"انتقال";

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT returnText(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(win32::wide(text), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

LONG msaaRole(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::pushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::link:
            return ROLE_SYSTEM_LINK;
        case AccessibleRole::editableText:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::none:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

bool isCommand(AccessibleRole role) {
    return role == AccessibleRole::pushButton || role == AccessibleRole::link;
}

// Everything not about the control itself is the standard object's.
class AccessibleControl final : public IAccessible {
  public:
    AccessibleControl(HWND control, win32::ComPtr<IAccessible> standard)
        : control_(control), standard_(std::move(standard)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* wrongArgument) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                                 wrongArgument);
    }

    // IAccessible: what the model says about the control
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        auto info = describe(child);
        if (!info) return standard_->get_accName(child, name);
        return returnText(info->name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        auto info = describe(child);
        if (!info) return standard_->get_accDescription(child, description);
        return returnText(info->description, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        auto info = describe(child);
        if (!info) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = msaaRole(info->role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        auto info = describe(child);
        if (!info || info->role != AccessibleRole::editableText) {
            return standard_->get_accValue(child, value);
        }
        // A box's value is its text, whatever the standard object makes of it.
        std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(control_)) + 1);
        const int length = ::GetWindowTextW(control_, text.data(), static_cast<int>(text.size()));
        if (!value) return E_POINTER;
        *value = ::SysAllocStringLen(text.data(), static_cast<UINT>(length > 0 ? length : 0));
        return *value ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = standard_->get_accState(child, state);
        auto info = describe(child);
        if (!info || !state) return result;
        if (state->vt != VT_I4) {
            state->vt = VT_I4;
            state->lVal = 0;
        }
        state->lVal |= STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == control_) state->lVal |= STATE_SYSTEM_FOCUSED;
        if (info->role == AccessibleRole::link) state->lVal |= STATE_SYSTEM_LINKED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        auto info = describe(child);
        if (!info || !isCommand(info->role)) return standard_->get_accDefaultAction(child, action);
        if (!action) return E_POINTER;
        *action = ::SysAllocString(info->role == AccessibleRole::link ? jumpAction : pressAction);
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        auto info = describe(child);
        if (!info || !isCommand(info->role)) return standard_->accDoDefaultAction(child);
        // Posted: the command may open a modal dialog, and the tool's call
        // must return first.
        ::PostMessageW(::GetParent(control_), AccessibleMessages::press(),
                       reinterpret_cast<WPARAM>(control_), 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!isSelf(child) || !::IsWindow(control_)) {
            return standard_->accLocation(left, top, width, height, child);
        }
        if (!left || !top || !width || !height) return E_POINTER;
        RECT r{};
        if (!::SendMessageW(::GetParent(control_), AccessibleMessages::locate(),
                            reinterpret_cast<WPARAM>(control_), reinterpret_cast<LPARAM>(&r))) {
            ::GetWindowRect(control_, &r);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }

    // IAccessible: the standard object's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~AccessibleControl() = default;

    // Asked afresh each time: the colour button's description follows the
    // colour. Nothing once the window is gone.
    std::optional<AccessibleInfo> describe(const VARIANT& child) const {
        if (!isSelf(child) || !::IsWindow(control_)) return std::nullopt;
        AccessibleInfo info;
        if (!::SendMessageW(::GetParent(control_), AccessibleMessages::describe(),
                            reinterpret_cast<WPARAM>(control_), reinterpret_cast<LPARAM>(&info))) {
            return std::nullopt;
        }
        return info;
    }

    HWND control_;
    win32::ComPtr<IAccessible> standard_;
    LONG references_ = 1;
};

}  // namespace

UINT AccessibleMessages::describe() {
    static const UINT message = ::RegisterWindowMessageW(L"FolderBackground.DescribeControl");
    return message;
}

UINT AccessibleMessages::press() {
    static const UINT message = ::RegisterWindowMessageW(L"FolderBackground.PressControl");
    return message;
}

UINT AccessibleMessages::locate() {
    static const UINT message = ::RegisterWindowMessageW(L"FolderBackground.LocateControl");
    return message;
}

LRESULT accessibleObject(HWND control, WPARAM wParam) {
    win32::ComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_PPV_ARGS(&standard)))) {
        return 0;
    }
    auto* object = new AccessibleControl(control, std::move(standard));
    const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

}  // namespace app
