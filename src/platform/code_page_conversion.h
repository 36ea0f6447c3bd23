#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// WideCharToMultiByte's flags, with the system's numbering.
namespace conversion_flag {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t errInvalidChars = 0x80;  // WC_ERR_INVALID_CHARS
inline constexpr std::uint32_t noBestFitChars = 0x400;  // WC_NO_BEST_FIT_CHARS
}  // namespace conversion_flag

// The system's conversions between UTF-16 and a code page, as
// WideCharToMultiByte and MultiByteToWideChar make them.
class CodePageConversion {
  public:
    virtual ~CodePageConversion() = default;

    // The ANSI code page (GetACP).
    virtual unsigned ansiCodePage() const = 0;

    // WideCharToMultiByte with `flags`, passing lpUsedDefaultChar only when
    // `usedDefault` is given. Nothing when the call fails.
    virtual std::optional<std::string> toBytes(unsigned codePage, std::uint32_t flags,
                                               std::u16string_view text,
                                               bool* usedDefault) const = 0;

    // MultiByteToWideChar without flags.
    virtual std::u16string toText(unsigned codePage, std::string_view bytes) const = 0;
};

// WideCharToMultiByte fails with ERROR_INVALID_FLAGS when given
// WC_NO_BEST_FIT_CHARS, and with ERROR_INVALID_PARAMETER when given
// lpUsedDefaultChar, for these code pages: UTF-8 and UTF-7, GB18030, the
// ISO-2022 and ISCII ones, HZ and Symbol (the function's documentation).
// UTF-8 is the ANSI code page wherever "Use Unicode UTF-8 for worldwide
// language support" is on.
inline bool refusesBestFitControl(unsigned codePage) {
    return codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 52936 ||
           codePage == 54936 || (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
           codePage == 65001;
}

// The text in the ANSI code page, or nothing when a character has no exact
// equivalent there. Where the code page lets itself be asked, it is asked
// for no best-fit substitutes and whether it used its default character;
// where it does not, only a text that converts back to itself is exact.
inline std::optional<std::string> encodeExactlyInAnsi(const CodePageConversion& conversion,
                                                      std::u16string_view text) {
    if (text.empty()) return std::string();
    const unsigned codePage = conversion.ansiCodePage();
    if (refusesBestFitControl(codePage)) {
        auto bytes = conversion.toBytes(codePage, conversion_flag::none, text, nullptr);
        if (!bytes || conversion.toText(codePage, *bytes) != text) return std::nullopt;
        return bytes;
    }
    bool usedDefault = false;
    auto bytes = conversion.toBytes(codePage, conversion_flag::noBestFitChars, text, &usedDefault);
    if (!bytes || usedDefault) return std::nullopt;
    return bytes;
}

}  // namespace platform
