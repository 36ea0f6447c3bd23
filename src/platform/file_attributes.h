#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Attribute values as the file system stores them.
namespace attribute {
inline constexpr std::uint32_t normal = 0;
inline constexpr std::uint32_t readOnly = 0x1;
inline constexpr std::uint32_t hidden = 0x2;
inline constexpr std::uint32_t system = 0x4;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t archive = 0x20;
}  // namespace attribute

class FileAttributes {
  public:
    virtual ~FileAttributes() = default;

    // Nothing when the path does not exist or cannot be asked.
    virtual std::optional<std::uint32_t> get(const std::u16string& path) = 0;

    // Sets exactly `value`: the old attributes are replaced, not combined.
    virtual bool set(const std::u16string& path, std::uint32_t value) = 0;
};

}  // namespace platform
