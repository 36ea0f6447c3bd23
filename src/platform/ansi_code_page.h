#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system's ANSI code page (1256 on an Arabic Windows).
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;

    // The text in the code page, or nothing when a character has no exact
    // equivalent there: best-fit substitutes would corrupt paths silently.
    virtual std::optional<std::string> encodeExactly(std::u16string_view text) const = 0;

    virtual std::u16string decode(std::string_view bytes) const = 0;
};

}  // namespace platform
