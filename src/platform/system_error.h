#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The operating system's own error code for a failed operation; zero when
// it gave none (a refusal of ours, or a failure it does not explain).
using SystemError = std::uint32_t;

// The codes the portable code acts on, with the system's numbering.
namespace error {
inline constexpr SystemError none = 0;
inline constexpr SystemError fileNotFound = 2;
inline constexpr SystemError pathNotFound = 3;
inline constexpr SystemError accessDenied = 5;
inline constexpr SystemError sharingViolation = 32;
inline constexpr SystemError lockViolation = 33;
inline constexpr SystemError fileExists = 80;
inline constexpr SystemError invalidParameter = 87;
inline constexpr SystemError alreadyExists = 183;
inline constexpr SystemError notADirectory = 267;
inline constexpr SystemError unableToRemoveReplaced = 1175;
inline constexpr SystemError unableToMoveReplacement = 1176;
inline constexpr SystemError unableToMoveReplacement2 = 1177;
}  // namespace error

// Success, or failure with the system's reason.
struct Outcome {
    bool ok = false;
    SystemError error = error::none;

    static Outcome success() { return {true, error::none}; }
    static Outcome failure(SystemError reason) { return {false, reason}; }
    explicit operator bool() const { return ok; }
};

// The system's own words for an error code, for a person to read.
class ErrorTexts {
  public:
    virtual ~ErrorTexts() = default;
    // The empty text when the system has none.
    virtual std::u16string describe(SystemError error) const = 0;
};

}  // namespace platform
