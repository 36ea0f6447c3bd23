#include "platform/win32/own_entry.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

// Declared for Windows Vista and later only.
constexpr int fileAttributeTagInfo = 9;  // FILE_INFO_BY_HANDLE_CLASS
struct AttributeTagInfo {
    DWORD fileAttributes;
    DWORD reparseTag;
};
constexpr DWORD fileNameNormalized = 0x0;
constexpr DWORD volumeNameDos = 0x0;
constexpr DWORD volumeNameNt = 0x2;
constexpr ULONG fileNameInformation = 9;  // FILE_INFORMATION_CLASS
struct IoStatusBlock {
    union {
        LONG status;
        void* pointer;
    };
    ULONG_PTR information;
};

std::optional<DWORD> reparseTag(HANDLE file, const std::wstring& path) {
    const NewerFunction<BOOL(HANDLE, int, LPVOID, DWORD)> informationEx(
        L"kernel32.dll", "GetFileInformationByHandleEx");
    if (informationEx) {
        AttributeTagInfo info{};
        if (informationEx(file, fileAttributeTagInfo, &info, sizeof info)) return info.reparseTag;
        return std::nullopt;
    }
    // Windows XP: the directory entry carries the tag.
    WIN32_FIND_DATAW found{};
    if (!UniqueFind(::FindFirstFileW(path.c_str(), &found))) return std::nullopt;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return std::nullopt;
    return found.dwReserved0;
}

// The name GetFinalPathNameByHandleW gives, in the form `volumeName` asks
// for; empty where it does not exist (Windows XP) or cannot say.
std::wstring finalPathName(HANDLE file, DWORD volumeName) {
    const NewerFunction<DWORD(HANDLE, LPWSTR, DWORD, DWORD)> finalPath(L"kernel32.dll",
                                                                       "GetFinalPathNameByHandleW");
    if (!finalPath) return {};
    std::wstring name(MAX_PATH, L'\0');
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD flags = fileNameNormalized | volumeName;
        DWORD length = finalPath(file, name.data(), static_cast<DWORD>(name.size()), flags);
        if (length == 0) return {};
        if (length < name.size()) return name.substr(0, length);
        name.assign(length + 1, L'\0');
    }
    return {};
}

// The name the system resolved a handle to, in one of two forms; empty when
// it cannot say.
std::wstring finalName(HANDLE file, bool ntQuery) {
    if (!ntQuery) return finalPathName(file, volumeNameNt);
    // Windows XP has no such call; the file's name on its volume tells the same.
    using Query = LONG(WINAPI*)(HANDLE, IoStatusBlock*, PVOID, ULONG, ULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void (*)()>(findSystemFunction(L"ntdll.dll", "NtQueryInformationFile")));
    if (!query) return {};
    std::wstring buffer(32 * 1024 + 2, L'\0');
    IoStatusBlock status{};
    if (query(file, &status, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(wchar_t)),
              fileNameInformation) < 0) {
        return {};
    }
    ULONG bytes = 0;
    std::memcpy(&bytes, buffer.data(), sizeof bytes);
    const auto* name = reinterpret_cast<const wchar_t*>(
        reinterpret_cast<const char*>(buffer.data()) + sizeof(ULONG));
    return {name, std::min<std::size_t>(bytes / sizeof(wchar_t), buffer.size() - 4)};
}

std::wstring upper(std::wstring text) {
    if (text.empty()) return text;
    ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                   text.data(), static_cast<int>(text.size()));
    return text;
}

// A path as the plain and the long forms both name it: `\\?\C:\x` is `C:\x`,
// `\\?\UNC\server\share` is `\\server\share`.
std::wstring withoutLongPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

}  // namespace

EntryKind entryKind(HANDLE file, DWORD attributes, const std::wstring& path) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return {};
    const auto tag = reparseTag(file, path);
    // A reparse point whose kind cannot be told is taken for a link.
    if (!tag || IsReparseTagNameSurrogate(*tag)) return {true, false};
    return {false, true};
}

bool isOwnEntry(HANDLE file, const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return true;
    const std::wstring folderPath = path.substr(0, slash + 1);
    const std::wstring leaf = path.substr(slash + 1);
    // The common case, and the cheap one: the handle resolved to the very
    // name it was opened by. The form with the drive letter, because names
    // on two volumes may otherwise look alike.
    const std::wstring resolved = finalPathName(file, volumeNameDos);
    if (!resolved.empty() && upper(withoutLongPrefix(resolved)) == upper(withoutLongPrefix(path))) {
        return true;
    }
    // Otherwise the folder's own name may differ from the one it was reached
    // by (a mapped drive, a linked folder, a short name): compare with that.
    UniqueFile folder(::CreateFileW(folderPath.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return true;
    for (bool ntQuery : {false, true}) {
        std::wstring fileName = finalName(file, ntQuery);
        std::wstring folderName = finalName(folder.get(), ntQuery);
        if (fileName.empty() || folderName.empty()) continue;
        while (!folderName.empty() && folderName.back() == L'\\') folderName.pop_back();
        folderName += L'\\';
        folderName += leaf;
        return upper(fileName) == upper(folderName);
    }
    return true;
}

}  // namespace win32
