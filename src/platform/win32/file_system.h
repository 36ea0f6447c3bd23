#pragma once

#include "platform/file_attributes.h"
#include "platform/file_store.h"

namespace win32 {

class FileStore : public platform::FileStore {
  public:
    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override;
    std::unique_ptr<platform::NewFile> createNew(const std::u16string& path) override;
    platform::ReplaceStatus replace(const std::u16string& source, const std::u16string& target,
                                    const std::optional<platform::FileStamp>& expected,
                                    const std::u16string& backup) override;
    bool rename(const std::u16string& source, const std::u16string& target) override;
    bool remove(const std::u16string& path) override;
};

class FileAttributes : public platform::FileAttributes {
  public:
    std::optional<std::uint32_t> get(const std::u16string& path) override;
    bool set(const std::u16string& path, std::uint32_t value) override;
};

}  // namespace win32
