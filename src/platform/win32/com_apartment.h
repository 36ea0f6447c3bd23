#pragma once

#include <objbase.h>

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

}  // namespace win32
