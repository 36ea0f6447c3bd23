#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace commandline {

// The arguments after the program's name in a command line as Windows hands
// it over whole. The name ends at its closing quote when quoted, else at the
// first blank, as Windows reads it. The rest is split as CommandLineToArgvW
// splits it, except that a backslash is always a path's own: a quote after
// it still opens or closes, since no path can hold a quote. A batch file's
// "%~dp0" and Explorer's "E:\" both end with a backslash before the quote.
std::vector<std::u16string> splitCommandLine(std::u16string_view line);

}  // namespace commandline
