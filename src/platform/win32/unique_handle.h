#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// What an owner holds when it owns nothing: null for most handles.
template <typename T>
struct NullHandle {
    static T value() { return T{}; }
};

// Files and a few others use INVALID_HANDLE_VALUE, which is no constant
// expression, hence a function rather than a template value.
struct InvalidHandle {
    static HANDLE value() { return INVALID_HANDLE_VALUE; }
};

// Owns one handle and closes it once. Move-only: a copy would close twice.
template <typename T, auto Close, typename Empty = NullHandle<T>>
class Unique {
  public:
    Unique() = default;
    explicit Unique(T handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Unique() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty::value(); }

    void reset(T handle = Empty::value()) {
        if (handle_ != Empty::value()) Close(handle_);
        handle_ = handle;
    }
    T release() { return std::exchange(handle_, Empty::value()); }

  private:
    T handle_ = Empty::value();
};

inline void closeHandle(HANDLE h) { ::CloseHandle(h); }
inline void findClose(HANDLE h) { ::FindClose(h); }
inline void deleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void destroyIcon(HICON h) { ::DestroyIcon(h); }
inline void deleteDc(HDC h) { ::DeleteDC(h); }

using UniqueFile = Unique<HANDLE, closeHandle, InvalidHandle>;
// Processes, threads, events: null when there is none.
using UniqueHandle = Unique<HANDLE, closeHandle>;
using UniqueFind = Unique<HANDLE, findClose, InvalidHandle>;
using UniqueBitmap = Unique<HBITMAP, deleteGdiObject>;
using UniqueFont = Unique<HFONT, deleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, deleteGdiObject>;
using UniquePen = Unique<HPEN, deleteGdiObject>;
using UniqueIcon = Unique<HICON, destroyIcon>;
using UniqueDc = Unique<HDC, deleteDc>;

}  // namespace win32
