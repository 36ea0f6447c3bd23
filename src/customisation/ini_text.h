#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_code_page.h"

namespace customisation {

// The text of a customisation file: UTF-16 (either byte order) or UTF-8 when
// it starts with a byte-order mark, the ANSI code page otherwise.
std::u16string decodeIniFile(std::string_view bytes, const platform::AnsiCodePage& codePage);

// The lines of a text; CR LF, a lone LF and a lone CR each end a line. A
// final line end does not start another, empty line.
std::vector<std::u16string> splitLines(std::u16string_view text);

// The lines, each followed by CR LF, in the ANSI code page when it is
// allowed, every character has an exact equivalent there and the bytes do
// not begin like a byte-order mark, otherwise as UTF-16 LE with a byte-order
// mark (which the shell reads too) so that nothing is lost.
std::string encodeIniFile(const std::vector<std::u16string>& lines,
                          const platform::AnsiCodePage& codePage, bool ansiAllowed);

}  // namespace customisation
