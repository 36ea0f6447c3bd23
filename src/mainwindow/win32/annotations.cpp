// The property and class identifiers are defined here, from the header.
#include <initguid.h>

#include "mainwindow/win32/annotations.h"

#include <string>

namespace mainwindow::win32 {

Annotations::Annotations() {
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices,
                                  reinterpret_cast<void**>(services_.GetAddressOf())))) {
        services_.Reset();
    }
}

bool Annotations::name(HWND window, std::wstring_view name) {
    if (!services_) return false;
    const std::wstring text(name);
    return SUCCEEDED(services_->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT),
                                               CHILDID_SELF, PROPID_ACC_NAME, text.c_str()));
}

void Annotations::clear(HWND window) {
    if (!services_) return;
    MSAAPROPID given[] = {PROPID_ACC_NAME};
    services_->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, given, 1);
}

}  // namespace mainwindow::win32
