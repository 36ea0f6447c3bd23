#pragma once

#include <objbase.h>

#include <optional>

namespace win32 {

// COM on the calling thread for the object's lifetime.
class ComApartment {
  public:
    explicit ComApartment(DWORD model) : ok_(SUCCEEDED(::CoInitializeEx(nullptr, model))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (ok_) ::CoUninitialize();
    }

  private:
    bool ok_;
};

// COM on the owning thread from the first enter() until the object goes.
// Loading COM takes start-up time, and on the window's thread only the shell
// dialogs and screen readers need it, so it waits for them.
class ComOnFirstUse {
  public:
    explicit ComOnFirstUse(DWORD model) : model_(model) {}

    void enter() {
        if (!apartment_) apartment_.emplace(model_);
    }

  private:
    DWORD model_;
    std::optional<ComApartment> apartment_;
};

}  // namespace win32
