#pragma once

#include "platform/ansi_code_page.h"

namespace win32 {

class AnsiCodePage : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;
};

}  // namespace win32
