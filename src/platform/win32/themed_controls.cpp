#include "platform/win32/themed_controls.h"

namespace win32 {

ThemedControls::~ThemedControls() {
    if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
}

ThemedControls::Scope ThemedControls::activate() {
    if (context_ == INVALID_HANDLE_VALUE) {
        ACTCTXW request{};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = ::GetModuleHandleW(nullptr);
        request.lpResourceName = MAKEINTRESOURCEW(manifestId_);
        context_ = ::CreateActCtxW(&request);
    }
    return Scope(context_);
}

ThemedControls::Scope::Scope(HANDLE context) {
    if (context != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context, &cookie_) != FALSE;
}

ThemedControls::Scope::~Scope() {
    if (active_) ::DeactivateActCtx(0, cookie_);
}

}  // namespace win32
