#pragma once

// A folder of the benchmark's own under the temporary folder, emptied and
// removed when done, attributes and all.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "remove_tree.h"

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
