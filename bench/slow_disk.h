#pragma once

// The window's model over a disk whose every read and write takes seconds,
// as a folder on an unreachable server or a disconnected drive does: the
// real file system behind a delay, and the real worker that keeps such waits
// off the window's thread.
#include <windows.h>

#include "platform/win32/file_store.h"

namespace bench {

class SlowFiles : public platform::FileStore {
  public:
    explicit SlowFiles(DWORD delay) : delay_(delay) {}
    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override {
        ::Sleep(delay_);
        return files_.read(path, maxBytes);
    }
    platform::ReadResult readToChange(const std::u16string& path, std::size_t maxBytes) override {
        ::Sleep(delay_);
        return files_.readToChange(path, maxBytes);
    }
    platform::Created createNew(const std::u16string& path) override {
        ::Sleep(delay_);
        return files_.createNew(path);
    }
    platform::Replaced replace(const std::u16string& source, const std::u16string& target,
                               const std::optional<platform::FileStamp>& expected,
                               const std::u16string& backup) override {
        ::Sleep(delay_);
        return files_.replace(source, target, expected, backup);
    }
    platform::Outcome rename(const std::u16string& source, const std::u16string& target) override {
        ::Sleep(delay_);
        return files_.rename(source, target);
    }
    platform::Outcome remove(const std::u16string& path) override {
        ::Sleep(delay_);
        return files_.remove(path);
    }
    platform::Replaced removeIfUnchanged(const std::u16string& path,
                                         const platform::FileStamp& expected) override {
        ::Sleep(delay_);
        return files_.removeIfUnchanged(path, expected);
    }
    void pause(std::uint32_t milliseconds) override { files_.pause(milliseconds); }

  private:
    DWORD delay_;
    win32::FileStore files_;
};

class SlowAttributes : public platform::FileAttributes {
  public:
    explicit SlowAttributes(DWORD delay) : delay_(delay) {}
    std::optional<std::uint32_t> get(const std::u16string& path) override {
        ::Sleep(delay_);
        return attributes_.get(path);
    }
    platform::Outcome set(const std::u16string& path, std::uint32_t value) override {
        ::Sleep(delay_);
        return attributes_.set(path, value);
    }

  private:
    DWORD delay_;
    win32::FileAttributes attributes_;
};

}  // namespace bench
