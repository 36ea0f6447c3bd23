#include "mainwindow/win32/accessible_command.h"

#include <oleacc.h>
#include <oleidl.h>

#include <string>

#include "platform/win32/com_ptr.h"
#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::AccessibleInfo;
using mainwindow::AccessibleRole;

// Default actions as an Arabic screen reader announces them.
constexpr wchar_t pressAction[] = L"اضغط";
constexpr wchar_t jumpAction[] = L"انتقال";

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

CommandAnswers* answersFor(HWND standIn) {
    if (!::IsWindow(standIn)) return nullptr;
    return reinterpret_cast<CommandAnswers*>(::GetWindowLongPtrW(standIn, GWLP_USERDATA));
}

HRESULT returnText(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(::win32::wide(text), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT returnText(const wchar_t* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocString(text);
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
        case AccessibleRole::checkBox:
            return ROLE_SYSTEM_CHECKBUTTON;
        case AccessibleRole::none:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The stand-in's accessible object. The stand-in is a window of this
// program's own class, so the system's object for it knows its place, its
// parent and its neighbours but not what it is: those it answers itself. It
// is an IOleWindow, so that WindowFromAccessibleObject finds the stand-in.
class AccessibleCommand final : public IAccessible, public IOleWindow {
  public:
    AccessibleCommand(HWND standIn, ::win32::ComPtr<IAccessible> standard)
        : standIn_(standIn), standard_(std::move(standard)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = standIn_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

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

    // IAccessible: what the command is
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
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        // The system's object knows the focus and the visibility.
        const HRESULT result = standard_->get_accState(child, state);
        auto info = describe(child);
        if (!info || !state) return result;
        if (state->vt != VT_I4) {
            state->vt = VT_I4;
            state->lVal = 0;
        }
        state->lVal |= STATE_SYSTEM_FOCUSABLE;
        if (info->role == AccessibleRole::link) state->lVal |= STATE_SYSTEM_LINKED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        auto info = describe(child);
        if (!info) return standard_->get_accDefaultAction(child, action);
        return returnText(info->role == AccessibleRole::link ? jumpAction : pressAction, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        CommandAnswers* answers = isSelf(child) ? answersFor(standIn_) : nullptr;
        if (!answers) return standard_->accDoDefaultAction(child);
        // Later: the command may open a modal dialog, and the tool's call
        // must return first.
        answers->pressSoon(standIn_);
        return S_OK;
    }

    // IAccessible: the system's object, which knows the stand-in's place
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
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
    ~AccessibleCommand() = default;

    // Asked afresh each time: the colour button's description follows the
    // colour. Nothing once the window is gone.
    std::optional<AccessibleInfo> describe(const VARIANT& child) const {
        CommandAnswers* answers = isSelf(child) ? answersFor(standIn_) : nullptr;
        if (!answers) return std::nullopt;
        return answers->describe(standIn_);
    }

    HWND standIn_;
    ::win32::ComPtr<IAccessible> standard_;
    LONG references_ = 1;
};

}  // namespace

LRESULT accessibleCommand(HWND standIn, WPARAM wParam) {
    ::win32::ComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(standIn, OBJID_CLIENT, IID_PPV_ARGS(&standard)))) {
        return 0;
    }
    auto* object = new AccessibleCommand(standIn, std::move(standard));
    const LRESULT result =
        ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

}  // namespace mainwindow::win32
