#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// Owns one handle and closes it once. Move-only: a copy would close twice.
template <typename T, auto Close, auto Empty = T{}>
class Unique {
  public:
    Unique() = default;
    explicit Unique(T handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Empty));
        return *this;
    }
    ~Unique() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }

    void reset(T handle = Empty) {
        if (handle_ != Empty) Close(handle_);
        handle_ = handle;
    }
    T release() { return std::exchange(handle_, Empty); }

  private:
    T handle_ = Empty;
};

inline void closeHandle(HANDLE h) { ::CloseHandle(h); }
inline void deleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void destroyIcon(HICON h) { ::DestroyIcon(h); }
inline void deleteDc(HDC h) { ::DeleteDC(h); }

// INVALID_HANDLE_VALUE is not a constant expression, so files get their own
// owner with a run-time empty value.
class UniqueFile {
  public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    UniqueFile(UniqueFile&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueFile& operator=(UniqueFile&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    ~UniqueFile() { reset(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    void reset() {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using UniqueBitmap = Unique<HBITMAP, deleteGdiObject>;
using UniqueFont = Unique<HFONT, deleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, deleteGdiObject>;
using UniquePen = Unique<HPEN, deleteGdiObject>;
using UniqueIcon = Unique<HICON, destroyIcon>;
using UniqueDc = Unique<HDC, deleteDc>;

}  // namespace win32
