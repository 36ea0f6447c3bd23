#pragma once

#include <string>

#include "commandline/command_line.h"
#include "customisation/shared_services.h"
#include "platform/full_paths.h"
#include "platform/interruption.h"
#include "platform/text_output.h"
#include "platform/user_registry.h"

namespace commandline {

// What scripts rely on.
namespace exit_code {
inline constexpr int done = 0;              // every folder was done
inline constexpr int someFailed = 1;        // at least one failed, or some were left undone
inline constexpr int wrongCommandLine = 2;  // nothing was done
}  // namespace exit_code

// The operating system as a command sees it: what the window sees too, and
// what only a command needs.
struct RunnerServices : customisation::SharedServices {
    const platform::FullPaths& paths;
    platform::UserRegistry& registry;
    platform::TextOutput& output;
    // This program's full path, for the folder menu.
    std::u16string program;
    const platform::Interruption& interruption;
    // Whether /apply gives folders our icon without /icon or /noicon, as the
    // window's check box starts.
    bool iconByDefault = false;
};

// Runs a command with no window and no message box, one line of output a
// folder, and gives the exit code. Asked to stop, it finishes the folder
// under way, keeps what is done and says how many folders were left. The window's own use
// (Command::window) is not a command and is refused as a wrong command line.
int runCommand(const CommandLine& line, RunnerServices& services);

}  // namespace commandline
