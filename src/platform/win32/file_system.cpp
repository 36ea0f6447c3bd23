#include "platform/win32/file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

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

}  // namespace

platform::ReadResult FileStore::read(const std::u16string& path, std::size_t maxBytes) {
    using platform::ReadStatus;
    UniqueFile file(::CreateFileW(longPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = ::GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? ReadStatus::missing : ReadStatus::failed, {}};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {ReadStatus::failed, {}};
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return {ReadStatus::tooLarge, {}};

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            return {ReadStatus::failed, {}};
        }
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    bytes.resize(done);
    return {ReadStatus::ok, std::move(bytes)};
}

std::unique_ptr<platform::NewFile> FileStore::createNew(const std::u16string& path) {
    UniqueFile file(::CreateFileW(longPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<NewFile>(std::move(file));
}

bool FileStore::replace(const std::u16string& source, const std::u16string& target) {
    return ::MoveFileExW(longPath(source).c_str(), longPath(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileStore::remove(const std::u16string& path) {
    return ::DeleteFileW(longPath(path).c_str()) != FALSE;
}

std::optional<std::uint32_t> FileAttributes::get(const std::u16string& path) {
    DWORD value = ::GetFileAttributesW(longPath(path).c_str());
    if (value == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return value;
}

bool FileAttributes::set(const std::u16string& path, std::uint32_t value) {
    // Zero is spelt FILE_ATTRIBUTE_NORMAL for the call.
    DWORD attributes = value == 0 ? FILE_ATTRIBUTE_NORMAL : value;
    return ::SetFileAttributesW(longPath(path).c_str(), attributes) != FALSE;
}

}  // namespace win32
