#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"

namespace customisation {

// ANSI bytes and text that turn into each other exactly, both ways, so that
// a line kept as its bytes reads as its text and a text written as bytes
// reads back as itself. Nothing where the code page would substitute a
// best-fit character, or for bytes with a NUL, at which the system's INI
// reader stops (it is how UTF-16 without its mark shows in an ANSI file).
std::optional<std::u16string> exactAnsiText(std::string_view bytes,
                                            const platform::AnsiCodePage& codePage);
std::optional<std::string> exactAnsiBytes(std::u16string_view text,
                                          const platform::AnsiCodePage& codePage);

}  // namespace customisation
