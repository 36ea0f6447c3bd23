#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_error.h"

namespace platform {

// Attribute values as the file system stores them.
namespace attribute {
inline constexpr std::uint32_t normal = 0;
inline constexpr std::uint32_t readOnly = 0x1;
inline constexpr std::uint32_t hidden = 0x2;
inline constexpr std::uint32_t system = 0x4;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t archive = 0x20;
inline constexpr std::uint32_t temporary = 0x100;
inline constexpr std::uint32_t offline = 0x1000;
inline constexpr std::uint32_t notContentIndexed = 0x2000;
inline constexpr std::uint32_t pinned = 0x80000;
inline constexpr std::uint32_t unpinned = 0x100000;
// The bits a program may set; the others (directory, reparse point,
// compressed...) describe the file and are refused or ignored when set.
inline constexpr std::uint32_t settable = readOnly | hidden | system | archive | temporary |
                                          offline | notContentIndexed | pinned | unpinned;
}  // namespace attribute

class FileAttributes {
  public:
    virtual ~FileAttributes() = default;

    // Nothing when the path does not exist or cannot be asked.
    virtual std::optional<std::uint32_t> get(const std::u16string& path) = 0;

    // Sets exactly `value`: the old attributes are replaced, not combined.
    virtual Outcome set(const std::u16string& path, std::uint32_t value) = 0;
};

}  // namespace platform
