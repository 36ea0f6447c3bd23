#pragma once

#include "platform/file_attributes.h"
#include "platform/file_store.h"

namespace win32 {

class FileStore : public platform::FileStore {
  public:
    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override;
    platform::ReadResult readToChange(const std::u16string& path, std::size_t maxBytes) override;
    platform::Created createNew(const std::u16string& path) override;
    platform::Replaced replace(const std::u16string& source, const std::u16string& target,
                               const std::optional<platform::FileStamp>& expected,
                               const std::u16string& backup) override;
    platform::Outcome rename(const std::u16string& source, const std::u16string& target) override;
    platform::Outcome remove(const std::u16string& path) override;
    platform::Replaced removeIfUnchanged(const std::u16string& path,
                                         const platform::FileStamp& expected) override;
    void pause(std::uint32_t milliseconds) override;
};

class FileAttributes : public platform::FileAttributes {
  public:
    std::optional<std::uint32_t> get(const std::u16string& path) override;
    platform::Outcome set(const std::u16string& path, std::uint32_t value) override;
};

}  // namespace win32
