#include "platform/win32/user_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

void closeKey(HKEY key) { ::RegCloseKey(key); }
using UniqueKey = Unique<HKEY, closeKey>;

}  // namespace

bool UserRegistry::setText(const std::u16string& key, const std::u16string& name,
                           const std::u16string& value) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, wide(key), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    UniqueKey owned(opened);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
    return ::RegSetValueExW(owned.get(), wide(name), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

std::optional<std::u16string> UserRegistry::text(const std::u16string& key,
                                                 const std::u16string& name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    UniqueKey owned(opened);
    // The value may change between asking its size and reading it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(owned.get(), wide(name), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ) {
            return std::nullopt;
        }
        // A stored text need not end with its terminator: room for one more.
        std::vector<char16_t> buffer(size / sizeof(char16_t) + 1, u'\0');
        DWORD read = size;
        const LONG status = ::RegQueryValueExW(owned.get(), wide(name), nullptr, &type,
                                               reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        std::u16string value(buffer.data(), read / sizeof(char16_t));
        while (!value.empty() && value.back() == u'\0') value.pop_back();
        return value;
    }
    return std::nullopt;
}

bool UserRegistry::removeKey(const std::u16string& key) {
    const LONG status = ::RegDeleteKeyW(HKEY_CURRENT_USER, wide(key));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace win32
