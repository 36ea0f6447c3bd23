// Reading the command line into what it asks for, before anything acts.
#include <gtest/gtest.h>

#include "commandline/command_line.h"
#include "commandline/split_command_line.h"

namespace {

using commandline::Command;

struct Case {
    std::vector<std::u16string> arguments;
    Command command;
    std::optional<std::u16string> picture;
    std::optional<std::u16string> colour;
    std::vector<std::u16string> paths;
};

TEST(CommandLine, ReadsWhatIsAskedFor) {
    const Case cases[] = {
        {{}, Command::window, {}, {}, {}},
        {{u"D:\\Trip"}, Command::window, {}, {}, {u"D:\\Trip"}},
        {{u"D:\\Trip", u"D:\\sky.jpg"}, Command::window, {}, {}, {u"D:\\Trip", u"D:\\sky.jpg"}},
        {{u"/apply", u"/picture:C:\\a b.jpg", u"D:\\1", u"D:\\2"},
         Command::apply,
         u"C:\\a b.jpg",
         {},
         {u"D:\\1", u"D:\\2"}},
        {{u"-APPLY", u"/Color:#FF8000", u"-Picture:a.jpg", u"x"},
         Command::apply,
         u"a.jpg",
         u"#FF8000",
         {u"x"}},
        {{u"/remove", u"D:\\1"}, Command::remove, {}, {}, {u"D:\\1"}},
        {{u"D:\\1", u"/Show"}, Command::show, {}, {}, {u"D:\\1"}},
        {{u"/register"}, Command::registerMenu, {}, {}, {}},
        {{u"/UNREGISTER"}, Command::unregisterMenu, {}, {}, {}},
        {{u"/?"}, Command::usage, {}, {}, {}},
        {{u"/apply", u"-?"}, Command::usage, {}, {}, {}},
        {{u"/remove", u"/remove", u"x"}, Command::remove, {}, {}, {u"x"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const Case& c = cases[i];
        auto line = commandline::parseCommandLine(c.arguments);
        EXPECT_FALSE(line.wrong());
        EXPECT_EQ(line.command, c.command);
        EXPECT_EQ(line.picture, c.picture);
        EXPECT_EQ(line.colour, c.colour);
        EXPECT_EQ(line.paths, c.paths);
    }
}

TEST(CommandLine, RefusesWhatIsWrong) {
    const std::vector<std::u16string> cases[] = {
        {u"/frobnicate", u"x"},
        {u"/apply", u"x"},
        {u"/apply", u"/picture:a.jpg"},
        {u"/apply", u"/picture", u"a.jpg", u"x"},
        {u"/apply", u"/picture:", u"x"},
        {u"/apply", u"/picture:a.jpg", u"/picture:b.jpg", u"x"},
        {u"/apply:now", u"/picture:a.jpg", u"x"},
        {u"/remove"},
        {u"/show"},
        {u"/remove", u"/show", u"x"},
        {u"/picture:a.jpg", u"x"},
        {u"/remove", u"/color:255", u"x"},
        {u"/register", u"x"},
        {u"x", u""},
        {u"/?", u"/nonsense"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(commandline::parseCommandLine(cases[i]).wrong()) << "case " << i;
    }
}

// A quote after a backslash still opens or closes: no path holds a quote,
// and batch files and Explorer end paths with a backslash before it.
TEST(CommandLine, SplitsTheLineAsItsPathsNeed) {
    struct Split {
        std::u16string_view line;
        std::vector<std::u16string> arguments;
    };
    const Split cases[] = {
        {u"", {}},
        {u"FolderBackground.exe", {}},
        {u"\"C:\\Program Files\\FolderBackground.exe\"", {}},
        {u"\"C:\\Program Files\\FolderBackground.exe\"   ", {}},
        // Windows' rule for the name: to the next quote, backslash or not.
        {u"\"C:\\Tools\\\"D:\\A", {u"D:\\A"}},
        {u"C:\\Tools\\a.exe\t/show  D:\\A", {u"/show", u"D:\\A"}},
        // A batch file's "%~dp0" before another folder.
        {u"a.exe /remove \"C:\\x\\\" \"D:\\B\"", {u"/remove", u"C:\\x\\", u"D:\\B"}},
        {u"a.exe \"D:\\A\\\" /show", {u"D:\\A\\", u"/show"}},
        // Explorer's %1 for a drive.
        {u"\"C:\\a.exe\" \"E:\\\"", {u"E:\\"}},
        // A path that really ends in several backslashes keeps them all.
        {u"a.exe \"D:\\A\\\\\" D:\\B\\\\\\", {u"D:\\A\\\\", u"D:\\B\\\\\\"}},
        {u"a.exe \\\\server\\share\\\"x y\"", {u"\\\\server\\share\\x y"}},
        {u"a.exe /apply \"/picture:D:\\My Pictures\\sky.jpg\" \"D:\\Class 3\"",
         {u"/apply", u"/picture:D:\\My Pictures\\sky.jpg", u"D:\\Class 3"}},
        {u"a.exe /picture:\"D:\\My Pictures\\sky.jpg\" x",
         {u"/picture:D:\\My Pictures\\sky.jpg", u"x"}},
        // An empty pair of quotes is an argument, which the reader refuses.
        {u"a.exe D:\\A \"\"", {u"D:\\A", u""}},
        {u"a.exe \"D:\\no end", {u"D:\\no end"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandline::splitCommandLine(c.line), c.arguments)
            << std::string(c.line.begin(), c.line.end());
    }
}

}  // namespace

namespace {

TEST(CommandLine, IconSwitchesGoWithApplyOnly) {
    const struct {
        std::vector<std::u16string> arguments;
        std::optional<bool> icon;
        bool wrong;
    } cases[] = {
        {{u"/apply", u"/picture:a.jpg", u"x"}, std::nullopt, false},
        {{u"/apply", u"/ICON", u"/picture:a.jpg", u"x"}, true, false},
        {{u"-noicon", u"/apply", u"/picture:a.jpg", u"x"}, false, false},
        {{u"/apply", u"/icon", u"/icon", u"/picture:a.jpg", u"x"}, true, false},
        {{u"/apply", u"/icon", u"/noicon", u"/picture:a.jpg", u"x"}, true, true},
        {{u"/apply", u"/icon:yes", u"/picture:a.jpg", u"x"}, std::nullopt, true},
        {{u"/remove", u"/noicon", u"x"}, false, true},
        {{u"/icon", u"x"}, true, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const auto line = commandline::parseCommandLine(cases[i].arguments);
        EXPECT_EQ(line.wrong(), cases[i].wrong);
        if (!cases[i].wrong) {
            EXPECT_EQ(line.icon, cases[i].icon);
        }
    }
}

}  // namespace
