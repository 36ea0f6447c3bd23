// The commands of the command line over fakes: what they do to folders, the
// registry and the shell, what they print and the exit codes scripts see.
#include <gtest/gtest.h>

#include "commandline/runner.h"
#include "customisation/failure_text.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/read.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "fake_icon_maker.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "foldermenu/folder_menu.h"
#include "form_harness.h"
#include "test_support.h"

namespace {

namespace attribute = platform::attribute;
namespace exit_code = commandline::exit_code;

class Lines : public platform::TextOutput {
  public:
    void writeLine(std::u16string_view line) override { lines.emplace_back(line); }
    std::vector<std::u16string> lines;
};

class Errors : public platform::ErrorTexts {
  public:
    std::u16string describe(std::uint32_t code) const override {
        return u"system error " + std::u16string(1, static_cast<char16_t>(u'0' + code % 10));
    }
};

// Relative paths are taken against C:\Work.
class Paths : public platform::FullPaths {
  public:
    std::u16string fullPath(const std::u16string& path) const override {
        return path.size() > 1 && path[1] == u':' ? path : u"C:\\Work\\" + path;
    }
};

// Ctrl+C pressed once `folders` folders are done: the runner asks before
// each folder.
class StopAfter : public platform::Interruption {
  public:
    explicit StopAfter(std::size_t folders = SIZE_MAX) : folders_(folders) {}
    bool requested() const override { return asked_++ >= folders_; }

  private:
    std::size_t folders_;
    mutable std::size_t asked_ = 0;
};

constexpr char16_t program[] = u"C:\\Tools\\FolderBackground.exe";

struct CommandRunner : ::testing::Test {
    fakes::FakeDisk disk;
    fakes::Cp1256 codePage;
    fakes::FakeLocale locale;
    Paths paths;
    fakes::FakeShell shell;
    fakes::FakeRegistry registry;
    Errors errors;
    fakes::FakeIconMaker icons;
    Lines output;
    StopAfter interruption;
    commandline::RunnerServices services{{{disk, disk, codePage}, locale, shell, errors, icons},
                                         paths,
                                         registry,
                                         output,
                                         program,
                                         interruption};

    CommandRunner() {
        disk.addFolder(u"C:\\Work");
        disk.addFolder(u"C:\\Work\\Trip");
        disk.addFolder(u"D:\\Class 1", attribute::readOnly);
        disk.addFile(u"C:\\sky.jpg", "picture");
    }

    int run(std::vector<std::u16string> arguments) {
        return commandline::runCommand(commandline::parseCommandLine(arguments), services);
    }
    customisation::FoundCustomisation found(const std::u16string& folder) {
        return customisation::readCustomisation(services.disk, folder);
    }
};

TEST_F(CommandRunner, AppliesToEachFolderAndGoesOnAfterAFailure) {
    const int code = run({u"/apply", u"/picture:C:\\sky.jpg", u"/color:255", u"Trip",
                          u"D:\\Missing", u"D:\\Class 1\\"});
    EXPECT_EQ(code, exit_code::someFailed);
    EXPECT_EQ(output.lines, (std::vector<std::u16string>{
                                u"C:\\Work\\Trip\\: applied",
                                u"D:\\Missing\\: failed: system error 3",
                                u"D:\\Class 1\\: applied",
                            }));
    for (const char16_t* folder : {u"C:\\Work\\Trip\\", u"D:\\Class 1\\"}) {
        EXPECT_EQ(found(folder).picturePath, u"C:\\sky.jpg");
        EXPECT_EQ(found(folder).colour, u"255");
    }
    // Read-only makes the shell look as System does: the folder gets no other mark.
    EXPECT_EQ(disk.at(u"D:\\Class 1").attributes & attribute::settable, attribute::readOnly);
    EXPECT_EQ(shell.changed, (std::vector<std::u16string>{u"C:\\Work\\Trip\\", u"D:\\Class 1\\"}));
}

TEST_F(CommandRunner, TakesTheColourAsTheBoxDoesOrAsAWebColour) {
    struct Case {
        std::u16string colour, written;
    };
    const Case cases[] = {
        {u"16777215", u"16777215"}, {u"&HFF", u"255"}, {u"#FF8000", u"33023"}, {u" 12,5 ", u"12"}};
    locale.separator = u',';
    for (const auto& c : cases) {
        EXPECT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"/color:" + c.colour, u"Trip"}),
                  exit_code::done);
        EXPECT_EQ(found(u"C:\\Work\\Trip\\").colour, c.written);
    }
}

TEST_F(CommandRunner, WithoutAColourTheFolderKeepsItsOwn) {
    ASSERT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"/color:#0000FF", u"Trip"}),
              exit_code::done);
    disk.addFile(u"C:\\lake.jpg", "picture");
    EXPECT_EQ(run({u"/apply", u"/picture:C:\\lake.jpg", u"Trip", u"D:\\Class 1"}), exit_code::done);
    EXPECT_EQ(found(u"C:\\Work\\Trip\\").picturePath, u"C:\\lake.jpg");
    EXPECT_EQ(found(u"C:\\Work\\Trip\\").colour, u"16711680");
    EXPECT_EQ(found(u"D:\\Class 1\\").colour, u"0");
}

// The window reads such a colour into its colour box and refuses to apply
// it; a script must not get 0 in its place.
TEST_F(CommandRunner, WithoutAColourAFolderWhoseOwnIsNoColourFails) {
    const std::string theirs = iniFile({u"[.ShellClassInfo]", u"IconArea_Text=Text3"});
    disk.addFile(u"C:\\Work\\Trip\\Desktop.ini", theirs);
    EXPECT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"Trip", u"D:\\Class 1"}),
              exit_code::someFailed);
    EXPECT_EQ(output.lines,
              (std::vector<std::u16string>{
                  u"C:\\Work\\Trip\\: failed: its Desktop.ini names no colour the window takes; "
                  u"give one with /color",
                  u"D:\\Class 1\\: applied",
              }));
    EXPECT_EQ(disk.at(u"C:\\Work\\Trip\\Desktop.ini").bytes, theirs);
}

TEST_F(CommandRunner, AWrongCommandLineDoesNothingAndPrintsTheUsage) {
    const std::vector<std::u16string> cases[] = {
        {u"/apply", u"/picture:C:\\nothing.jpg", u"Trip"},
        {u"/apply", u"/picture:C:\\Work", u"Trip"},
        {u"/apply", u"/picture:C:\\sky.jpg", u"/color:16777216", u"Trip"},
        {u"/apply", u"/picture:C:\\sky.jpg", u"/color:#12345", u"Trip"},
        {u"/apply", u"/picture:C:\\sky.jpg", u"/color:red", u"Trip"},
        {u"/wipe", u"Trip"},
        {u"/remove"},
    };
    for (const auto& arguments : cases) {
        output.lines.clear();
        EXPECT_EQ(run(arguments), exit_code::wrongCommandLine);
        ASSERT_GT(output.lines.size(), 2u);
        EXPECT_TRUE(output.lines[0].starts_with(u"FolderBackground: "));
        EXPECT_EQ(output.lines[1], u"FolderBackground.exe [FOLDER] [PICTURE]");
    }
    EXPECT_FALSE(disk.exists(u"C:\\Work\\Trip\\Desktop.ini"));
    EXPECT_TRUE(shell.changed.empty());
}

TEST_F(CommandRunner, RemovesShowsAndTellsTheShell) {
    ASSERT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"/color:255", u"Trip"}), exit_code::done);
    shell.changed.clear();
    output.lines.clear();

    EXPECT_EQ(run({u"/show", u"Trip", u"D:\\Class 1"}), exit_code::done);
    EXPECT_EQ(run({u"/remove", u"Trip", u"D:\\Class 1"}), exit_code::done);
    EXPECT_EQ(run({u"/show", u"C:\\sky.jpg"}), exit_code::someFailed);
    EXPECT_EQ(output.lines, (std::vector<std::u16string>{
                                u"C:\\Work\\Trip\\: picture \"C:\\sky.jpg\", colour 255",
                                u"D:\\Class 1\\: no customisation",
                                u"C:\\Work\\Trip\\: restored",
                                u"D:\\Class 1\\: nothing to restore",
                                u"C:\\sky.jpg\\: failed: system error 7",
                            }));
    EXPECT_FALSE(disk.exists(u"C:\\Work\\Trip\\Desktop.ini"));
    EXPECT_EQ(disk.at(u"C:\\Work\\Trip").attributes & attribute::system, 0u);
    EXPECT_EQ(shell.changed, std::vector<std::u16string>{u"C:\\Work\\Trip\\"});
}

TEST_F(CommandRunner, RemoveReportsAFileItCannotDelete) {
    ASSERT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"Trip"}), exit_code::done);
    disk.lock(u"C:\\Work\\Trip\\Desktop.ini");
    output.lines.clear();
    EXPECT_EQ(run({u"/remove", u"Trip"}), exit_code::someFailed);
    // Access denied, in the system's words.
    EXPECT_EQ(output.lines,
              std::vector<std::u16string>{u"C:\\Work\\Trip\\: failed: system error 5"});
}

// The reason the window's second line gives, not one line for every failure.
TEST_F(CommandRunner, AFailedApplySaysWhyAsTheWindowDoes) {
    ASSERT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"Trip"}), exit_code::done);
    disk.holdBusy(u"C:\\Work\\Trip\\Desktop.ini", -1);
    disk.addFolder(u"E:\\");
    disk.refuseAttributes(u"E:\\");
    output.lines.clear();
    EXPECT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"Trip", u"E:\\"}), exit_code::someFailed);
    EXPECT_EQ(output.lines,
              (std::vector<std::u16string>{
                  u"C:\\Work\\Trip\\: failed: system error 2",  // a sharing violation
                  u"E:\\: failed: " + std::u16string(customisation::driveRootNotCustomisable),
              }));
}

TEST_F(CommandRunner, RegistersExactlyTheFolderMenuEntryAndTakesItOut) {
    registry.setText(u"Software\\Classes\\Directory\\shell\\Other", u"", u"another program's");
    const auto before = registry.keys;

    EXPECT_EQ(run({u"/register"}), exit_code::done);
    const std::u16string label(foldermenu::FolderMenuEntry::text);
    for (const char16_t* kind : {u"Directory", u"Drive"}) {
        const std::u16string key =
            u"Software\\Classes\\" + std::u16string(kind) + u"\\shell\\FolderBackground";
        EXPECT_EQ(registry.keys[key],
                  (fakes::FakeRegistry::Values{{u"", label},
                                               {u"MUIVerb", label},
                                               {u"Icon", u"C:\\Tools\\FolderBackground.exe,0"},
                                               {u"MultiSelectModel", u"Single"}}));
        EXPECT_EQ(
            registry.keys[key + u"\\command"],
            (fakes::FakeRegistry::Values{{u"", u"\"C:\\Tools\\FolderBackground.exe\" \"%1\""}}));
    }
    EXPECT_TRUE(foldermenu::FolderMenuEntry(registry, program).pointsHere());
    EXPECT_FALSE(
        foldermenu::FolderMenuEntry(registry, u"D:\\Old\\FolderBackground.exe").pointsHere());

    EXPECT_EQ(run({u"/unregister"}), exit_code::done);
    EXPECT_FALSE(foldermenu::FolderMenuEntry(registry, program).pointsHere());
    // The keys above ours were there before or are shared: only ours go.
    for (const auto& [key, values] : before) EXPECT_EQ(registry.keys[key], values);
    EXPECT_EQ(registry.keys.count(u"Software\\Classes\\Drive\\shell\\FolderBackground"), 0u);
    EXPECT_EQ(registry.keys.count(u"Software\\Classes\\Directory\\shell\\FolderBackground"), 0u);
}

TEST_F(CommandRunner, AnEntryThatCannotBeWrittenWhollyIsNotLeftHalfWritten) {
    registry.refused.insert(u"Software\\Classes\\Drive\\shell\\FolderBackground\\command");
    EXPECT_EQ(run({u"/register"}), exit_code::someFailed);
    EXPECT_EQ(registry.keys.count(u"Software\\Classes\\Directory\\shell\\FolderBackground"), 0u);
    EXPECT_EQ(registry.keys.count(u"Software\\Classes\\Drive\\shell\\FolderBackground"), 0u);
}

// The folder under way is finished and kept; the rest are left untouched,
// and the script learns so from the last line and the exit code.
TEST_F(CommandRunner, AnInterruptedCommandFinishesItsFolderAndSaysHowManyAreLeft) {
    ASSERT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"/color:255", u"D:\\Class 1"}),
              exit_code::done);
    disk.addFolder(u"C:\\Work\\A");
    disk.addFolder(u"C:\\Work\\B");
    struct Case {
        std::vector<std::u16string> arguments;
        std::size_t stopAfter;
        std::vector<std::u16string> lines;
        int exitCode;
    };
    const Case cases[] = {
        {{u"/apply", u"/picture:C:\\sky.jpg", u"Trip", u"A", u"B"},
         1,
         {u"C:\\Work\\Trip\\: applied",
          u"FolderBackground: interrupted, 2 folders left as they were"},
         exit_code::someFailed},
        {{u"/remove", u"Trip", u"A", u"D:\\Class 1"},
         2,
         {u"C:\\Work\\Trip\\: restored", u"C:\\Work\\A\\: nothing to restore",
          u"FolderBackground: interrupted, 1 folder left as it was"},
         exit_code::someFailed},
        // Pressed during the last folder: nothing was left undone.
        {{u"/show", u"Trip", u"D:\\Class 1"},
         2,
         {u"C:\\Work\\Trip\\: no customisation",
          u"D:\\Class 1\\: picture \"C:\\sky.jpg\", colour 255"},
         exit_code::done},
    };
    for (const auto& c : cases) {
        interruption = StopAfter(c.stopAfter);
        output.lines.clear();
        EXPECT_EQ(run(c.arguments), c.exitCode);
        EXPECT_EQ(output.lines, c.lines);
    }
    // What was done stays done; what was left is as it was.
    EXPECT_FALSE(found(u"C:\\Work\\Trip\\").picturePath);
    EXPECT_FALSE(disk.exists(u"C:\\Work\\A\\Desktop.ini"));
    EXPECT_FALSE(disk.exists(u"C:\\Work\\B\\Desktop.ini"));
    EXPECT_EQ(found(u"D:\\Class 1\\").picturePath, u"C:\\sky.jpg");
    EXPECT_EQ(shell.changed.back(), u"C:\\Work\\Trip\\");
}

}  // namespace

namespace {

TEST_F(CommandRunner, IconByDefaultOrAsAskedAndAFolderKeepsItsOwn) {
    icons.know(u"C:\\sky.jpg", "sky icon");
    services.iconByDefault = true;
    disk.addFolder(u"C:\\Work\\Own");
    disk.addFile(u"C:\\Work\\Own\\Desktop.ini",
                 iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\mine.ico,0"}));
    const std::u16string icon = u"C:\\Work\\Trip\\" + customisation::iconFileName("sky icon");

    EXPECT_EQ(run({u"/apply", u"/picture:C:\\sky.jpg", u"Trip", u"Own"}), exit_code::done);
    EXPECT_TRUE(disk.exists(icon));
    EXPECT_EQ(shell.contentsChanged, std::vector<std::u16string>{u"C:\\Work\\Trip\\"});
    EXPECT_EQ(run({u"/show", u"Trip", u"Own"}), exit_code::done);
    EXPECT_EQ(run({u"/apply", u"/noicon", u"/picture:C:\\sky.jpg", u"Trip"}), exit_code::done);
    EXPECT_FALSE(disk.exists(icon));
    EXPECT_EQ(output.lines,
              (std::vector<std::u16string>{
                  u"C:\\Work\\Trip\\: applied",
                  u"C:\\Work\\Own\\: applied; it kept its own icon",
                  u"C:\\Work\\Trip\\: picture \"C:\\sky.jpg\", colour 0, the picture on its icon",
                  u"C:\\Work\\Own\\: picture \"C:\\sky.jpg\", colour 0, its own icon",
                  u"C:\\Work\\Trip\\: applied",
              }));
}

}  // namespace
