#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The system's own words for one of its error codes, in the user's language.
class SystemErrorText {
  public:
    virtual ~SystemErrorText() = default;
    // The empty text when the system has none for `code`.
    virtual std::u16string describe(std::uint32_t code) const = 0;
};

// The codes the program reports by itself, where no call failed with one.
namespace error {
inline constexpr std::uint32_t fileNotFound = 2;     // ERROR_FILE_NOT_FOUND
inline constexpr std::uint32_t pathNotFound = 3;     // ERROR_PATH_NOT_FOUND
inline constexpr std::uint32_t notADirectory = 267;  // ERROR_DIRECTORY
}  // namespace error

}  // namespace platform
