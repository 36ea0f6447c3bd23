#include "commandline/split_command_line.h"

namespace commandline {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Where the program's name ends: it has no escapes, and a quoted one may
// hold blanks.
std::size_t afterProgramName(std::u16string_view line) {
    if (line.empty()) return 0;
    if (line[0] == u'"') {
        const auto closing = line.find(u'"', 1);
        return closing == std::u16string_view::npos ? line.size() : closing + 1;
    }
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end])) ++end;
    return end;
}

}  // namespace

std::vector<std::u16string> splitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::u16string argument;
    // A pair of quotes with nothing between them is still an argument.
    bool started = false;
    bool quoted = false;
    for (char16_t c : line.substr(afterProgramName(line))) {
        if (c == u'"') {
            quoted = !quoted;
            started = true;
        } else if (isBlank(c) && !quoted) {
            if (started) arguments.push_back(std::move(argument));
            argument.clear();
            started = false;
        } else {
            argument += c;
            started = true;
        }
    }
    if (started) arguments.push_back(std::move(argument));
    return arguments;
}

}  // namespace commandline
