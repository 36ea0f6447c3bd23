#pragma once

#include <optional>
#include <string>
#include <vector>

namespace commandline {

enum class Command {
    window,          // no command: the window, on the folder or picture given
    apply,           // /apply /picture:FILE [/color:N] [/icon|/noicon] FOLDER...
    remove,          // /remove FOLDER...
    show,            // /show FOLDER...
    registerMenu,    // /register
    unregisterMenu,  // /unregister
    usage,           // /?
};

// What a command line asks for, read whole before anything acts on it.
struct CommandLine {
    Command command = Command::window;
    std::optional<std::u16string> picture;
    std::optional<std::u16string> colour;
    // /icon or /noicon: whether /apply gives folders our icon of the picture;
    // nothing for this Windows' default.
    std::optional<bool> icon;
    // The folders of a command; for the window, a folder and a picture.
    std::vector<std::u16string> paths;
    // Why the command line is wrong; empty when it is right.
    std::u16string error;

    bool wrong() const { return !error.empty(); }
};

// Reads the arguments after the program's name, as splitCommandLine gives
// them. A switch begins with / or -, is found whatever its
// letter case and takes its value after a colon; anything else is a path.
CommandLine parseCommandLine(const std::vector<std::u16string>& arguments);

}  // namespace commandline
