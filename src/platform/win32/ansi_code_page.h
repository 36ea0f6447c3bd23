#pragma once

#include "platform/ansi_code_page.h"
#include "platform/code_page_conversion.h"

namespace win32 {

// WideCharToMultiByte and MultiByteToWideChar as they are.
class CodePageConversion : public platform::CodePageConversion {
  public:
    unsigned ansiCodePage() const override;
    std::optional<std::string> toBytes(unsigned codePage, std::uint32_t flags,
                                       std::u16string_view text, bool* usedDefault) const override;
    std::u16string toText(unsigned codePage, std::string_view bytes) const override;
};

class AnsiCodePage : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;

  private:
    CodePageConversion conversion_;
};

}  // namespace win32
