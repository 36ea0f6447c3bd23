#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_code_page.h"

namespace customisation {

// The lines of a customisation file that can matter to a reader of `keys`:
// every section header and every line of one of those keys, decoded as
// decodeIniFile decodes them, in file order. Other lines are passed over
// undecoded, so that a large file of other programs' sections costs little.
std::vector<std::u16string> headerAndKeyLines(std::string_view bytes,
                                              const platform::AnsiCodePage& codePage,
                                              std::initializer_list<std::u16string_view> keys);

}  // namespace customisation
