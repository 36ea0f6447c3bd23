#include "commandline/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/ascii.h"

namespace commandline {
namespace {

enum class Switch {
    apply,
    remove,
    show,
    registerMenu,
    unregisterMenu,
    usage,
    picture,
    colour,
    icon,
    noIcon
};

struct SwitchName {
    std::u16string_view name;
    Switch id;
};

constexpr std::array switches{
    SwitchName{u"apply", Switch::apply},
    SwitchName{u"remove", Switch::remove},
    SwitchName{u"show", Switch::show},
    SwitchName{u"register", Switch::registerMenu},
    SwitchName{u"unregister", Switch::unregisterMenu},
    SwitchName{u"?", Switch::usage},
    SwitchName{u"picture", Switch::picture},
    SwitchName{u"color", Switch::colour},
    SwitchName{u"icon", Switch::icon},
    SwitchName{u"noicon", Switch::noIcon},
};

bool takesValue(Switch id) { return id == Switch::picture || id == Switch::colour; }

Command commandOf(Switch id) {
    switch (id) {
        case Switch::apply:
            return Command::apply;
        case Switch::remove:
            return Command::remove;
        case Switch::show:
            return Command::show;
        case Switch::registerMenu:
            return Command::registerMenu;
        case Switch::unregisterMenu:
            return Command::unregisterMenu;
        default:
            return Command::usage;
    }
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return platform::ascii::toLower(x) == platform::ascii::toLower(y);
           });
}

const SwitchName* findSwitch(std::u16string_view name) {
    auto found = std::find_if(switches.begin(), switches.end(),
                              [name](const SwitchName& s) { return sameName(s.name, name); });
    return found == switches.end() ? nullptr : &*found;
}

class Reader {
  public:
    void read(const std::u16string& argument) {
        if (argument.empty()) return fail(u"an empty argument: a path was expected");
        if (argument[0] != u'/' && argument[0] != u'-') {
            return line_.paths.push_back(argument);
        }
        const auto colon = argument.find(u':');
        const std::u16string_view name = std::u16string_view(argument).substr(1, colon - 1);
        const SwitchName* found = findSwitch(name);
        if (!found) return fail(u"unknown switch " + argument);
        const bool hasValue = colon != std::u16string::npos;
        const std::u16string value = hasValue ? argument.substr(colon + 1) : std::u16string();
        if (!takesValue(found->id)) {
            if (hasValue) return failFor(*found, u" takes no value");
            if (found->id == Switch::icon || found->id == Switch::noIcon) {
                return setIcon(found->id == Switch::icon);
            }
            return setCommand(commandOf(found->id));
        }
        if (value.empty()) {
            return failFor(*found, u" needs a value after a colon");
        }
        auto& slot = found->id == Switch::picture ? line_.picture : line_.colour;
        if (slot) return failFor(*found, u" is given twice");
        slot = value;
    }

    CommandLine finish() {
        if (line_.wrong()) return std::move(line_);
        if (usage_) {
            line_.command = Command::usage;
            return std::move(line_);
        }
        const Command command = line_.command;
        const bool takesFolders =
            command == Command::apply || command == Command::remove || command == Command::show;
        if ((line_.picture || line_.colour || line_.icon) && command != Command::apply) {
            fail(u"/picture, /color, /icon and /noicon go with /apply only");
        } else if (command == Command::apply && !line_.picture) {
            fail(u"/apply needs /picture:FILE");
        } else if (takesFolders && line_.paths.empty()) {
            fail(u"no folder given");
        } else if (!takesFolders && command != Command::window && !line_.paths.empty()) {
            fail(u"/register and /unregister take no folder");
        }
        return std::move(line_);
    }

  private:
    void setIcon(bool icon) {
        if (line_.icon && *line_.icon != icon) return fail(u"/icon and /noicon at once");
        line_.icon = icon;
    }

    void setCommand(Command command) {
        if (command == Command::usage) {
            usage_ = true;
        } else if (line_.command != Command::window && line_.command != command) {
            fail(u"only one of /apply, /remove, /show, /register and /unregister at a time");
        } else {
            line_.command = command;
        }
    }

    void failFor(const SwitchName& which, std::u16string_view why) {
        std::u16string error(u"/");
        error += which.name;
        error += why;
        fail(std::move(error));
    }

    void fail(std::u16string error) {
        if (!line_.wrong()) line_.error = std::move(error);
    }

    CommandLine line_;
    bool usage_ = false;
};

}  // namespace

CommandLine parseCommandLine(const std::vector<std::u16string>& arguments) {
    Reader reader;
    for (const auto& argument : arguments) reader.read(argument);
    return reader.finish();
}

}  // namespace commandline
