#include "platform/win32/file_store.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/file_information.h"
#include "platform/win32/long_path.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/own_entry.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

using platform::Outcome;
using platform::ReadStatus;
using platform::Replaced;
using platform::ReplaceStatus;

#ifndef REPLACEFILE_IGNORE_MERGE_ERRORS
#define REPLACEFILE_IGNORE_MERGE_ERRORS 0x00000002
#endif
constexpr int fileDispositionInfo = 4;            // FILE_INFO_BY_HANDLE_CLASS, Vista and later
constexpr ULONG fileDispositionInformation = 13;  // FILE_INFORMATION_CLASS

class NewFile : public platform::NewFile {
  public:
    explicit NewFile(UniqueFile file) : file_(std::move(file)) {}

    bool write(std::string_view bytes) override {
        while (!bytes.empty()) {
            auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) {
                error_ = ::GetLastError();
                return false;
            }
            if (written == 0) {
                error_ = ERROR_WRITE_FAULT;
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool flush() override {
        if (::FlushFileBuffers(file_.get())) return true;
        error_ = ::GetLastError();
        return false;
    }

    platform::SystemError error() const override { return error_; }

  private:
    UniqueFile file_;
    platform::SystemError error_ = ERROR_SUCCESS;
};

// The file itself, never what a link points to.
UniqueFile openUnfollowed(const std::wstring& path, DWORD access,
                          DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) {
    return UniqueFile(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

struct Identity {
    ReadStatus status = ReadStatus::failed;
    platform::FileStamp stamp;
    // Read through its filter, not as the reparse point's own bytes.
    bool otherReparsePoint = false;
};

Identity identityOf(HANDLE file, const std::wstring& path) {
    const auto info = fileInformation(file);
    if (!info) return {};
    if (info->attributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    // Writing through either would change a file outside the folder.
    const EntryKind kind = entryKind(file, info->attributes, path);
    if (kind.link || info->links > 1) return {ReadStatus::linked, {}};
    return {ReadStatus::ok, {info->size, info->lastWrite}, kind.otherReparsePoint};
}

// Whether the entry at `path` is still a plain file in the version read,
// asked by name alone. Only a yes counts: anything else, a reparse point
// included, is for the full look through a handle.
bool plainlyTheVersion(const std::wstring& path, const platform::FileStamp& expected) {
    const auto entry = entryInformation(path);
    if (!entry) return false;
    constexpr DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return (entry->attributes & notPlain) == 0 &&
           platform::FileStamp{entry->size, entry->lastWrite} == expected;
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Before a file is replaced or deleted: nothing when it is still our own
// entry in the version `expected`; otherwise why nothing may be done.
std::optional<Replaced> notTheVersion(const UniqueFile& file, const std::wstring& path,
                                      const platform::FileStamp& expected) {
    if (!file) {
        const DWORD error = ::GetLastError();
        if (isMissing(error)) return Replaced{ReplaceStatus::changed, ERROR_SUCCESS};
        return Replaced{ReplaceStatus::failed, error};
    }
    const Identity now = identityOf(file.get(), path);
    if (now.status != ReadStatus::ok || !isOwnEntry(file.get(), path)) {
        return Replaced{ReplaceStatus::failed, ERROR_SUCCESS};
    }
    if (now.stamp != expected) return Replaced{ReplaceStatus::changed, ERROR_SUCCESS};
    return std::nullopt;
}

// Where ReplaceFileW cannot work at all: file systems and redirectors that
// do not implement what it asks of them.
bool replaceUnsupported(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
           error == ERROR_INVALID_PARAMETER || error == ERROR_CALL_NOT_IMPLEMENTED;
}

bool exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Two renames instead: the new file loses the old one's security, owner and
// streams, but the old file is kept as `backup` all the same, if one is named.
Replaced renameInstead(const std::wstring& source, const std::wstring& target,
                       const std::wstring& backup) {
    if (backup.empty()) {
        if (::MoveFileExW(source.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {ReplaceStatus::replaced, ERROR_SUCCESS};
        }
        return {ReplaceStatus::failed, ::GetLastError()};
    }
    if (!::MoveFileExW(target.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return {ReplaceStatus::failed, ::GetLastError()};
    }
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return {ReplaceStatus::replaced, ERROR_SUCCESS};
    }
    const DWORD error = ::GetLastError();
    if (::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return {ReplaceStatus::failed, error};
    }
    // The caller tries again to put it back.
    return {ReplaceStatus::failed, error, true};
}

// Marks the open file for deletion through its own handle, so that no other
// file that took its name meanwhile can be deleted instead.
DWORD deleteByHandle(HANDLE file) {
    const NewerFunction<BOOL(HANDLE, int, LPVOID, DWORD)> setInformation(
        L"kernel32.dll", "SetFileInformationByHandle");
    if (setInformation) {
        BOOLEAN remove = TRUE;
        return setInformation(file, fileDispositionInfo, &remove, sizeof remove) ? ERROR_SUCCESS
                                                                                 : ::GetLastError();
    }
    // Windows XP: the same request, one layer down.
    struct IoStatusBlock {
        union {
            LONG status;
            void* pointer;
        };
        ULONG_PTR information;
    };
    using Set = LONG(WINAPI*)(HANDLE, IoStatusBlock*, PVOID, ULONG, ULONG);
    using ToError = ULONG(WINAPI*)(LONG);
    const auto set = reinterpret_cast<Set>(
        reinterpret_cast<void (*)()>(findSystemFunction(L"ntdll.dll", "NtSetInformationFile")));
    const auto toError = reinterpret_cast<ToError>(
        reinterpret_cast<void (*)()>(findSystemFunction(L"ntdll.dll", "RtlNtStatusToDosError")));
    if (!set || !toError) return ERROR_CALL_NOT_IMPLEMENTED;
    IoStatusBlock status{};
    BOOLEAN remove = TRUE;
    const LONG result = set(file, &status, &remove, sizeof remove, fileDispositionInformation);
    return result >= 0 ? ERROR_SUCCESS : toError(result);
}

platform::ReadResult readFile(const std::u16string& path, std::size_t maxBytes, bool toChange);

}  // namespace

platform::ReadResult FileStore::read(const std::u16string& path, std::size_t maxBytes) {
    return readFile(path, maxBytes, false);
}

platform::ReadResult FileStore::readToChange(const std::u16string& path, std::size_t maxBytes) {
    return readFile(path, maxBytes, true);
}

namespace {

platform::ReadResult readFile(const std::u16string& path, std::size_t maxBytes, bool toChange) {
    const std::wstring name = longPath(path);
    if (name.empty()) return {ReadStatus::failed, {}, {}, ERROR_INVALID_NAME};
    UniqueFile file = openUnfollowed(name, GENERIC_READ);
    if (!file) {
        const DWORD error = ::GetLastError();
        return {isMissing(error) ? ReadStatus::missing : ReadStatus::failed, {}, {}, error};
    }
    const Identity identity = identityOf(file.get(), name);
    if (identity.status != ReadStatus::ok) return {identity.status, {}, {}};
    if (toChange && !isOwnEntry(file.get(), name)) return {ReadStatus::linked, {}, {}};
    if (identity.stamp.size > maxBytes) return {ReadStatus::tooLarge, {}, {}};
    if (identity.otherReparsePoint) {
        file = UniqueFile(::CreateFileW(name.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file) return {ReadStatus::failed, {}, {}, ::GetLastError()};
    }

    std::string bytes(static_cast<std::size_t>(identity.stamp.size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            return {ReadStatus::failed, {}, {}, ::GetLastError()};
        }
        if (got == 0) break;  // the file shrank while being read; its stamp tells
        done += got;
    }
    bytes.resize(done);
    return {ReadStatus::ok, std::move(bytes), identity.stamp};
}

}  // namespace

platform::Created FileStore::createNew(const std::u16string& path) {
    const std::wstring name = longPath(path);
    if (name.empty()) return {nullptr, ERROR_INVALID_NAME};
    UniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) return {nullptr, ::GetLastError()};
    return {std::make_unique<NewFile>(std::move(file)), ERROR_SUCCESS};
}

Replaced FileStore::replace(const std::u16string& source, const std::u16string& target,
                            const std::optional<platform::FileStamp>& expected,
                            const std::u16string& backup) {
    const std::wstring from = longPath(source);
    const std::wstring to = longPath(target);
    if (from.empty() || to.empty()) return {ReplaceStatus::failed, ERROR_INVALID_NAME};
    if (!expected) {
        // Without replacing: a file someone made meanwhile stays theirs.
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return {ReplaceStatus::replaced, ERROR_SUCCESS};
        }
        const DWORD error = ::GetLastError();
        const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        return {taken ? ReplaceStatus::changed : ReplaceStatus::failed, taken ? 0 : error};
    }

    const std::wstring old = backup.empty() ? std::wstring() : longPath(backup);
    if (!backup.empty() && old.empty()) return {ReplaceStatus::failed, ERROR_INVALID_NAME};
    // The read found the file to be the folder's own entry; what a replace
    // must still know is that no one changed it since. The name swapped
    // meanwhile for a Wine link to the very file read is what only the full
    // look would see, and a swap in the moment after any look is possible
    // either way. On a share the look by name is not asked at all: the
    // redirector may answer it from what it saw of the file some seconds
    // ago (SMB2 and later keep it about ten), and an edit made from another
    // machine meanwhile would be overwritten unseen. Opening the file asks
    // the server.
    if (isOnNetwork(fromWide(to)) || !plainlyTheVersion(to, *expected)) {
        UniqueFile file = openUnfollowed(to, FILE_READ_ATTRIBUTES);
        if (auto refused = notTheVersion(file, to, *expected)) return *refused;
    }
    // Without the flag ReplaceFileW asks for WRITE_DAC on the new file, which
    // a share with Change rights refuses.
    if (::ReplaceFileW(to.c_str(), from.c_str(), old.empty() ? nullptr : old.c_str(),
                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return {ReplaceStatus::replaced, ERROR_SUCCESS};
    }
    const DWORD error = ::GetLastError();
    // Documented to leave the new file under its own name and, but for the
    // first code with a backup name, the old one away from its name: under
    // the backup name when one was given, otherwise gone or under a name of
    // the system's choosing. The caller puts one of them in the empty place.
    const bool notMoved =
        error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    if (notMoved && !exists(to) && exists(from)) {
        const bool inBackup = !old.empty() && exists(old);
        return {ReplaceStatus::failed, error, inBackup, !inBackup};
    }
    if (replaceUnsupported(error)) return renameInstead(from, to, old);
    return {ReplaceStatus::failed, error};
}

Outcome FileStore::rename(const std::u16string& source, const std::u16string& target) {
    const std::wstring from = longPath(source);
    const std::wstring to = longPath(target);
    if (from.empty() || to.empty()) return Outcome::failure(ERROR_INVALID_NAME);
    if (::MoveFileExW(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Outcome::success();
    }
    return Outcome::failure(::GetLastError());
}

Outcome FileStore::remove(const std::u16string& path) {
    const std::wstring name = longPath(path);
    if (name.empty()) return Outcome::failure(ERROR_INVALID_NAME);
    if (::DeleteFileW(name.c_str())) return Outcome::success();
    return Outcome::failure(::GetLastError());
}

Replaced FileStore::removeIfUnchanged(const std::u16string& path,
                                      const platform::FileStamp& expected) {
    const std::wstring name = longPath(path);
    if (name.empty()) return {ReplaceStatus::failed, ERROR_INVALID_NAME};
    // Others may go on reading it, but not write, rename or delete it while
    // it is checked.
    UniqueFile file = openUnfollowed(name, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ);
    if (auto refused = notTheVersion(file, name, expected)) return *refused;
    const DWORD error = deleteByHandle(file.get());
    if (error != ERROR_SUCCESS) return {ReplaceStatus::failed, error};
    return {ReplaceStatus::replaced, ERROR_SUCCESS};
}

void FileStore::pause(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::optional<std::uint32_t> FileAttributes::get(const std::u16string& path) {
    const std::wstring name = longPath(path);
    if (name.empty()) return std::nullopt;
    DWORD value = ::GetFileAttributesW(name.c_str());
    if (value == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return value;
}

Outcome FileAttributes::set(const std::u16string& path, std::uint32_t value) {
    const std::wstring name = longPath(path);
    if (name.empty()) return Outcome::failure(ERROR_INVALID_NAME);
    // Zero is spelt FILE_ATTRIBUTE_NORMAL for the call.
    DWORD attributes = value == 0 ? FILE_ATTRIBUTE_NORMAL : value;
    if (::SetFileAttributesW(name.c_str(), attributes)) return Outcome::success();
    return Outcome::failure(::GetLastError());
}

}  // namespace win32
