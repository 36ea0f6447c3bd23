#pragma once

#include "platform/ansi_code_page.h"

namespace fakes {

// Windows code page 1256 (Arabic), as an Arabic system's ANSI code page.
class Cp1256 : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;
};

// Windows code page 1252 (Western European), as on an English, French or
// German system.
class Cp1252 : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;
};

}  // namespace fakes
