#include "platform/win32/file_information.h"

#include "platform/win32/system_library.h"

namespace win32 {
namespace {

// FILE_BASIC_INFO and FILE_STANDARD_INFO of Vista's headers, which a build
// for XP does not see.
struct BasicInfo {
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    DWORD fileAttributes;
};
struct StandardInfo {
    LARGE_INTEGER allocationSize;
    LARGE_INTEGER endOfFile;
    DWORD numberOfLinks;
    BOOLEAN deletePending;
    BOOLEAN directory;
};
constexpr int fileBasicInfo = 0;
constexpr int fileStandardInfo = 1;

std::uint64_t wide(DWORD high, DWORD low) { return std::uint64_t{high} << 32 | low; }

}  // namespace

std::optional<FileInformation> fileInformation(HANDLE file) {
    // Vista and later; its classes ask only the file.
    static const NewerFunction<BOOL(HANDLE, int, LPVOID, DWORD)> byHandleEx(
        L"kernel32.dll", "GetFileInformationByHandleEx");
    if (byHandleEx) {
        BasicInfo basic{};
        StandardInfo standard{};
        if (byHandleEx(file, fileBasicInfo, &basic, sizeof(basic)) &&
            byHandleEx(file, fileStandardInfo, &standard, sizeof(standard))) {
            return FileInformation{
                basic.fileAttributes, static_cast<std::uint64_t>(standard.endOfFile.QuadPart),
                static_cast<std::uint64_t>(basic.lastWriteTime.QuadPart), standard.numberOfLinks};
        }
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileInformation{
        info.dwFileAttributes, wide(info.nFileSizeHigh, info.nFileSizeLow),
        wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
        info.nNumberOfLinks};
}

std::optional<FileInformation> entryInformation(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return FileInformation{
        data.dwFileAttributes, wide(data.nFileSizeHigh, data.nFileSizeLow),
        wide(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), 0};
}

}  // namespace win32
