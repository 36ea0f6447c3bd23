#include "platform/win32/file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/file_information.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

using platform::ReadStatus;
using platform::ReplaceStatus;

class NewFile : public platform::NewFile {
  public:
    explicit NewFile(UniqueFile file) : file_(std::move(file)) {}

    bool write(std::string_view bytes) override {
        while (!bytes.empty()) {
            auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool flush() override { return ::FlushFileBuffers(file_.get()) != FALSE; }

  private:
    UniqueFile file_;
};

// The file itself, never what a link points to.
UniqueFile openUnfollowed(const std::wstring& path, DWORD access) {
    return UniqueFile(::CreateFileW(path.c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

struct Identity {
    ReadStatus status = ReadStatus::failed;
    platform::FileStamp stamp;
};

Identity identityOf(HANDLE file) {
    const auto info = fileInformation(file);
    if (!info) return {};
    if (info->attributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    // Writing through either would change a file outside the folder.
    if ((info->attributes & FILE_ATTRIBUTE_REPARSE_POINT) || info->links > 1) {
        return {ReadStatus::linked, {}};
    }
    return {ReadStatus::ok, {info->size, info->lastWrite}};
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Where ReplaceFileW cannot work at all: file systems and redirectors that
// do not implement what it asks of them.
bool replaceUnsupported(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
           error == ERROR_INVALID_PARAMETER || error == ERROR_CALL_NOT_IMPLEMENTED;
}

// Two renames instead: the new file loses the old one's security, owner and
// streams, but the old file is kept as `backup` all the same.
ReplaceStatus renameInstead(const std::wstring& source, const std::wstring& target,
                            const std::wstring& backup) {
    if (!::MoveFileExW(target.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return ReplaceStatus::failed;
    }
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return ReplaceStatus::replaced;
    }
    ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    return ReplaceStatus::failed;
}

}  // namespace

platform::ReadResult FileStore::read(const std::u16string& path, std::size_t maxBytes) {
    const std::wstring name = longPath(path);
    if (name.empty()) return {ReadStatus::failed, {}, {}};
    UniqueFile file = openUnfollowed(name, GENERIC_READ);
    if (!file)
        return {isMissing(::GetLastError()) ? ReadStatus::missing : ReadStatus::failed, {}, {}};
    const Identity identity = identityOf(file.get());
    if (identity.status != ReadStatus::ok) return {identity.status, {}, {}};
    if (identity.stamp.size > maxBytes) return {ReadStatus::tooLarge, {}, {}};

    std::string bytes(static_cast<std::size_t>(identity.stamp.size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            return {ReadStatus::failed, {}, {}};
        }
        if (got == 0) break;  // the file shrank while being read; its stamp tells
        done += got;
    }
    bytes.resize(done);
    return {ReadStatus::ok, std::move(bytes), identity.stamp};
}

std::unique_ptr<platform::NewFile> FileStore::createNew(const std::u16string& path) {
    const std::wstring name = longPath(path);
    if (name.empty()) return nullptr;
    UniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) return nullptr;
    return std::make_unique<NewFile>(std::move(file));
}

ReplaceStatus FileStore::replace(const std::u16string& source, const std::u16string& target,
                                 const std::optional<platform::FileStamp>& expected,
                                 const std::u16string& backup) {
    const std::wstring from = longPath(source);
    const std::wstring to = longPath(target);
    if (from.empty() || to.empty()) return ReplaceStatus::failed;
    if (!expected) {
        // Without replacing: a file someone made meanwhile stays theirs.
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return ReplaceStatus::replaced;
        }
        const DWORD error = ::GetLastError();
        const bool exists = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        return exists ? ReplaceStatus::changed : ReplaceStatus::failed;
    }

    const std::wstring old = longPath(backup);
    if (old.empty()) return ReplaceStatus::failed;
    {
        UniqueFile file = openUnfollowed(to, FILE_READ_ATTRIBUTES);
        if (!file)
            return isMissing(::GetLastError()) ? ReplaceStatus::changed : ReplaceStatus::failed;
        const Identity now = identityOf(file.get());
        if (now.status != ReadStatus::ok) return ReplaceStatus::failed;
        if (now.stamp != *expected) return ReplaceStatus::changed;
    }
    if (::ReplaceFileW(to.c_str(), from.c_str(), old.c_str(), 0, nullptr, nullptr)) {
        return ReplaceStatus::replaced;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file already went to the backup name: it comes back.
        ::MoveFileExW(old.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
        return ReplaceStatus::failed;
    }
    if (replaceUnsupported(error)) return renameInstead(from, to, old);
    return ReplaceStatus::failed;
}

bool FileStore::rename(const std::u16string& source, const std::u16string& target) {
    const std::wstring from = longPath(source);
    const std::wstring to = longPath(target);
    return !from.empty() && !to.empty() &&
           ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileStore::remove(const std::u16string& path) {
    const std::wstring name = longPath(path);
    return !name.empty() && ::DeleteFileW(name.c_str()) != FALSE;
}

std::optional<std::uint32_t> FileAttributes::get(const std::u16string& path) {
    const std::wstring name = longPath(path);
    if (name.empty()) return std::nullopt;
    DWORD value = ::GetFileAttributesW(name.c_str());
    if (value == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return value;
}

bool FileAttributes::set(const std::u16string& path, std::uint32_t value) {
    const std::wstring name = longPath(path);
    // Zero is spelt FILE_ATTRIBUTE_NORMAL for the call.
    DWORD attributes = value == 0 ? FILE_ATTRIBUTE_NORMAL : value;
    return !name.empty() && ::SetFileAttributesW(name.c_str(), attributes) != FALSE;
}

}  // namespace win32
