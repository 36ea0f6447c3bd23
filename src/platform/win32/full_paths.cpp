#include "platform/win32/full_paths.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {

std::u16string FullPaths::fullPath(const std::u16string& path) const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(wide(path), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) return path;
        if (length < buffer.size()) return fromWide({buffer.data(), length});
        buffer.resize(length);
    }
}

std::u16string programPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // XP fills the buffer without a terminator when the name is cut.
        if (length < buffer.size()) return fromWide({buffer.data(), length});
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace win32
