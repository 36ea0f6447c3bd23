#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace win32 {

// What the file layer asks of an open file.
struct FileInformation {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    DWORD links = 0;
};

// Nothing when the system cannot tell. Without the volume's serial number
// and the file's index, which Wine finds only by asking the volume itself
// (most of a millisecond a call), where the system answers those alone.
std::optional<FileInformation> fileInformation(HANDLE file);

// The same, by name and without opening the file: a fraction of the cost.
// A link's own entry, not what it leads to, where the system has links of
// its own (Wine shows a Unix link as its target). No link count: `links` is 0.
std::optional<FileInformation> entryInformation(const std::wstring& path);

}  // namespace win32
