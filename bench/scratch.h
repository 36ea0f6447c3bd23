#pragma once

// A folder of the benchmark's own under the temporary folder, emptied and
// removed when done, attributes and all.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace bench {

class ScratchFolder {
  public:
    explicit ScratchFolder(const wchar_t* name) {
        wchar_t temporary[MAX_PATH + 1]{};
        ::GetTempPathW(MAX_PATH + 1, temporary);
        path_ = std::wstring(temporary) + name + L"-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(path_.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() { removeTree(path_); }

    const std::wstring& path() const { return path_; }

  private:
    // Hidden, system and read-only entries refuse deletion, so each one is
    // made normal first.
    static void removeTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        const win32::UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
        if (search) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring path = folder + L"\\" + name;
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeTree(path);
                } else {
                    ::DeleteFileW(path.c_str());
                }
            } while (::FindNextFileW(search.get(), &found));
        }
        ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

inline bool writeWholeFile(const std::wstring& path, const std::string& bytes) {
    const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

inline bool readWholeFile(const std::wstring& path, std::string& bytes) {
    const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file.get(), &size);
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
           got == bytes.size();
}

}  // namespace bench
