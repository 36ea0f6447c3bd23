#pragma once

#include <string>
#include <vector>

namespace commandline::win32 {

// The program's arguments after its own name, split by CommandLineToArgvW.
// Without any, the shell is not loaded for it.
std::vector<std::u16string> programArguments();

}  // namespace commandline::win32
