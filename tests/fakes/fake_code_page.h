#pragma once

#include "platform/ansi_code_page.h"
#include "platform/code_page_conversion.h"

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

// WideCharToMultiByte and MultiByteToWideChar where the ANSI code page is
// UTF-8 (65001), as Microsoft documents them for Vista and later: dwFlags
// must be 0 or WC_ERR_INVALID_CHARS (else ERROR_INVALID_FLAGS) and
// lpUsedDefaultChar must be NULL (else ERROR_INVALID_PARAMETER); a lone
// surrogate becomes U+FFFD, or fails the call (ERROR_NO_UNICODE_TRANSLATION)
// under WC_ERR_INVALID_CHARS; an invalid byte sequence reads as U+FFFD.
// Wine ignores the registry's ACP, so this is the only place it is tried.
class Utf8Conversion : public platform::CodePageConversion {
  public:
    unsigned ansiCodePage() const override { return 65001; }
    std::optional<std::string> toBytes(unsigned codePage, std::uint32_t flags,
                                       std::u16string_view text, bool* usedDefault) const override;
    std::u16string toText(unsigned codePage, std::string_view bytes) const override;
};

// The ANSI code page as the program converts it on a system whose ANSI code
// page is UTF-8.
class Cp65001 : public platform::AnsiCodePage {
  public:
    std::optional<std::string> encodeExactly(std::u16string_view text) const override {
        return platform::encodeExactlyInAnsi(conversion_, text);
    }
    std::u16string decode(std::string_view bytes) const override {
        return conversion_.toText(conversion_.ansiCodePage(), bytes);
    }

  private:
    Utf8Conversion conversion_;
};

}  // namespace fakes
