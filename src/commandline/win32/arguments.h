#pragma once

#include <string>
#include <vector>

namespace commandline::win32 {

// The program's arguments after its own name, split by splitCommandLine.
std::vector<std::u16string> programArguments();

}  // namespace commandline::win32
