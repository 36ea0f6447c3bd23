#include "commandline/runner.h"

#include <optional>
#include <string_view>

#include "commandline/usage.h"
#include "customisation/apply_with_icon.h"
#include "customisation/colour_text.h"
#include "customisation/failure_text.h"
#include "customisation/folder_text.h"
#include "customisation/input_checks.h"
#include "customisation/read.h"
#include "customisation/restore.h"
#include "customisation/text_to_number.h"
#include "foldermenu/folder_menu.h"
#include "platform/file_attributes.h"

namespace commandline {
namespace {

// Why a folder failed: the words the window's second line gives where the
// reason is known, these otherwise.
struct Failure {
    customisation::FailureReason reason;
    std::u16string_view otherwise;
};

constexpr std::u16string_view notSaved = u"the change could not be saved in this folder";
constexpr std::u16string_view notRemoved = u"the customisation could not be removed";
constexpr std::u16string_view notRegistered = u"the registry could not be changed";
constexpr std::u16string_view noKeptColour =
    u"its Desktop.ini names no colour the window takes; give one with /color";

// The colour box's rule, and the web form besides: a script's colour
// often comes from a web page.
std::optional<std::u16string> colourValue(std::u16string_view text, char16_t decimalSeparator) {
    return customisation::rgbColourText(text, decimalSeparator, customisation::WebForm::accepted);
}

class Runner {
  public:
    explicit Runner(RunnerServices& services) : s_(services) {}

    int run(const CommandLine& line) {
        switch (line.command) {
            case Command::usage:
                printUsage();
                return exit_code::done;
            case Command::apply:
                return apply(line);
            case Command::remove:
                return eachFolder(line, [this](const std::u16string& folder) { remove(folder); });
            case Command::show:
                return eachFolder(line, [this](const std::u16string& folder) { show(folder); });
            case Command::registerMenu:
            case Command::unregisterMenu:
                changeMenu(line.command == Command::registerMenu);
                return finished();
            case Command::window:
                break;
        }
        return wrong(u"no command given");
    }

    int wrong(std::u16string_view why) {
        s_.output.writeLine(u"FolderBackground: " + std::u16string(why));
        printUsage();
        return exit_code::wrongCommandLine;
    }

  private:
    void printUsage() {
        for (auto line : usageLines) s_.output.writeLine(line);
    }

    int finished() const { return failed_ ? exit_code::someFailed : exit_code::done; }

    template <typename Each>
    int eachFolder(const CommandLine& line, Each each) {
        for (std::size_t done = 0; done < line.paths.size(); ++done) {
            if (s_.interruption.requested()) return interrupted(line.paths.size() - done);
            const std::u16string folder = folderPath(line.paths[done]);
            if (auto problem = missingFolder(folder)) {
                fail(folder, *problem);
            } else {
                each(folder);
            }
        }
        return finished();
    }

    int interrupted(std::size_t left) {
        // A command line holds at most 32767 characters.
        const std::u16string count = customisation::decimalText(static_cast<std::int32_t>(left));
        s_.output.writeLine(
            u"FolderBackground: interrupted, " + count +
            (left == 1 ? u" folder left as it was" : u" folders left as they were"));
        return exit_code::someFailed;
    }

    std::u16string folderPath(const std::u16string& path) const {
        return customisation::folderText(s_.paths.fullPath(path));
    }

    std::optional<Failure> missingFolder(const std::u16string& folder) const {
        const auto attributes = s_.disk.attributes.get(folder);
        if (!attributes) return Failure{{platform::error::pathNotFound}, u"no such folder"};
        if ((*attributes & platform::attribute::directory) == 0) {
            return Failure{{platform::error::notADirectory}, u"not a folder"};
        }
        return std::nullopt;
    }

    int apply(const CommandLine& line) {
        // Everything that makes the command line wrong is found before any
        // folder is touched.
        const std::u16string picture = s_.paths.fullPath(*line.picture);
        const auto pictureAttributes = s_.disk.attributes.get(picture);
        if (!customisation::isSafePicturePath(picture) || !pictureAttributes ||
            (*pictureAttributes & platform::attribute::directory) != 0) {
            return wrong(u"no such picture: " + *line.picture);
        }
        std::optional<std::u16string> colour;
        if (line.colour) {
            colour = colourValue(*line.colour, s_.locale.decimalSeparator());
            if (!colour) return wrong(u"not a colour: " + *line.colour);
        }
        const bool icon = line.icon.value_or(s_.iconByDefault);
        return eachFolder(line, [&](const std::u16string& folder) {
            // As in the window, where choosing a folder reads its colour
            // into the colour box: without /color the folder keeps its own,
            // and one the box refuses to apply is refused here too.
            const auto written = colour ? colour : keptColour(folder);
            if (!written) return fail(folder, {{}, noKeptColour});
            customisation::Customisation customisation{picture, *written};
            customisation::FailureReason reason;
            const auto applied = customisation::applyWithIcon(s_.disk, folder, customisation,
                                                              icon ? &s_.icons : nullptr, &reason);
            if (!applied.applied) return fail(folder, {reason, notSaved});
            s_.shell.folderChanged(folder);
            if (applied.iconChanged) s_.shell.folderContentsChanged(folder);
            report(folder, applied.icon == customisation::FolderIcon::keptOwn
                               ? u"applied; it kept its own icon"
                               : u"applied");
        });
    }

    // The folder's colour as the window's colour box reads it, with no web
    // form: 0 where the file names none, nothing where the box would refuse
    // what it names.
    std::optional<std::u16string> keptColour(const std::u16string& folder) {
        const auto found = customisation::readCustomisation(s_.disk, folder);
        if (!found.colour) return std::u16string(customisation::noColourText);
        return customisation::rgbColourText(*found.colour, s_.locale.decimalSeparator(),
                                            customisation::WebForm::refused);
    }

    void remove(const std::u16string& folder) {
        customisation::FailureReason reason;
        const auto result = customisation::removeCustomisation(s_.disk, folder, &reason);
        if (result == customisation::RemoveResult::failed) {
            return fail(folder, {reason, notRemoved});
        }
        if (!customisation::finishRestore(s_.disk.attributes, folder, result)) {
            return report(folder, u"nothing to restore");
        }
        s_.shell.folderChanged(folder);
        report(folder, u"restored");
    }

    void show(const std::u16string& folder) {
        const auto found = customisation::readCustomisation(s_.disk, folder);
        if (!found.picturePath && !found.colour && !found.ourIcon) {
            return report(folder, u"no customisation");
        }
        std::u16string text = found.picturePath ? u"picture \"" + *found.picturePath + u"\""
                                                : std::u16string(u"no picture");
        text += found.colour ? u", colour " + *found.colour : std::u16string(u", no colour");
        if (found.ourIcon) text += u", the picture on its icon";
        if (found.ownIcon) text += u", its own icon";
        report(folder, text);
    }

    void changeMenu(bool add) {
        foldermenu::FolderMenuEntry entry(s_.registry, s_.program);
        const std::u16string_view what = u"folder menu";
        if (add ? entry.add() : entry.remove()) {
            return report(what, add ? u"added for this user" : u"removed for this user");
        }
        fail(what, {{}, notRegistered});
    }

    void report(std::u16string_view subject, std::u16string_view result) {
        s_.output.writeLine(std::u16string(subject) + u": " + std::u16string(result));
    }

    void fail(std::u16string_view subject, const Failure& failure) {
        failed_ = true;
        std::u16string reason = customisation::reasonText(failure.reason, s_.errors);
        if (reason.empty()) reason = failure.otherwise;
        report(subject, u"failed: " + reason);
    }

    RunnerServices& s_;
    bool failed_ = false;
};

}  // namespace

int runCommand(const CommandLine& line, RunnerServices& services) {
    Runner runner(services);
    if (line.wrong()) return runner.wrong(line.error);
    return runner.run(line);
}

}  // namespace commandline
