// Where one /apply over many folders spends its time: the command's runner
// in this process, with the real Win32 services, each call timed on its way.
// Prints, per service call, how often one folder makes it and its time per
// folder, beside the whole time per folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "commandline/runner.h"
#include "commandline/win32/console_output.h"
#include "figures.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/error_texts.h"
#include "platform/win32/file_store.h"
#include "platform/win32/full_paths.h"
#include "platform/win32/number_locale.h"
#include "platform/win32/shell_notifier.h"
#include "platform/win32/user_registry.h"
#include "platform/win32/wide_text.h"
#include "scratch.h"
#include "timed_disk.h"

namespace {

// The profile runs to its end: nobody presses Ctrl+C here.
class NeverInterrupted : public platform::Interruption {
  public:
    bool requested() const override { return false; }
};

// Never asked: like apply_bench, the profile applies without /icon.
class NoIcons : public platform::FolderIconMaker {
  public:
    std::optional<std::string> makeIcon(const std::u16string&) override { return std::nullopt; }
};

class TimedShell : public platform::ShellNotifier {
  public:
    TimedShell(platform::ShellNotifier& shell, bench::Timings& timings)
        : shell_(shell), timings_(timings) {}
    void folderChanged(const std::u16string& folder) override {
        bench::Timed timed(timings_, "shell_notify");
        shell_.folderChanged(folder);
    }
    void folderContentsChanged(const std::u16string& folder) override {
        bench::Timed timed(timings_, "shell_notify_contents");
        shell_.folderContentsChanged(folder);
    }

  private:
    platform::ShellNotifier& shell_;
    bench::Timings& timings_;
};

class TimedPaths : public platform::FullPaths {
  public:
    TimedPaths(const platform::FullPaths& paths, bench::Timings& timings)
        : paths_(paths), timings_(timings) {}
    std::u16string fullPath(const std::u16string& path) const override {
        bench::Timed timed(timings_, "full_path");
        return paths_.fullPath(path);
    }

  private:
    const platform::FullPaths& paths_;
    bench::Timings& timings_;
};

class TimedOutput : public platform::TextOutput {
  public:
    TimedOutput(platform::TextOutput& output, bench::Timings& timings)
        : output_(output), timings_(timings) {}
    void writeLine(std::u16string_view line) override {
        bench::Timed timed(timings_, "write_line");
        output_.writeLine(line);
    }

  private:
    platform::TextOutput& output_;
    bench::Timings& timings_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: command_line_profile PICTURE [FOLDERS]\n");
        return 2;
    }
    const std::u16string picture = win32::fromWide(argv[1]);
    const int folders = argc > 2 ? std::max(1, _wtoi(argv[2])) : 1000;

    bench::ScratchFolder scratch(L"FolderBackground-command-line-profile");
    commandline::CommandLine line;
    line.command = commandline::Command::apply;
    line.picture = picture;
    line.colour = u"16777215";
    for (int i = 0; i < folders; ++i) {
        const std::wstring folder = scratch.path() + L"\\" + std::to_wstring(i);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        line.paths.push_back(win32::fromWide(folder));
    }

    bench::Timings timings;
    win32::FileStore realFiles;
    win32::FileAttributes realAttributes;
    win32::AnsiCodePage codePage;
    win32::NumberLocale locale;
    win32::FullPaths realPaths;
    win32::ComOnFirstUse com{COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE};
    win32::ShellNotifier realShell(com);
    win32::UserRegistry registry;
    win32::ErrorTexts errors;
    // The lines go where a script sends them, to a file: here, to nowhere.
    // The figures still reach the C runtime's own standard output.
    HANDLE figures = ::GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE nowhere =
        ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ::SetStdHandle(STD_OUTPUT_HANDLE, nowhere);
    commandline::win32::ConsoleOutput realOutput;
    ::SetStdHandle(STD_OUTPUT_HANDLE, figures);

    bench::TimedFiles files(realFiles, timings);
    bench::TimedAttributes attributes(realAttributes, timings);
    TimedPaths paths(realPaths, timings);
    TimedShell shell(realShell, timings);
    TimedOutput output(realOutput, timings);
    const NeverInterrupted interruption;
    NoIcons icons;
    commandline::RunnerServices services{
        {{files, attributes, codePage}, locale, shell, errors, icons},
        paths,
        registry,
        output,
        u"",
        interruption};

    const double start = bench::nowSeconds();
    const int exitCode = commandline::runCommand(line, services);
    const double perFolder = (bench::nowSeconds() - start) * 1e6 / folders;
    ::CloseHandle(nowhere);
    if (exitCode != commandline::exit_code::done) {
        std::fprintf(stderr, "command_line_profile: exit code %d\n", exitCode);
        return 1;
    }

    std::printf("command_line_profile_us_per_folder %.1f\n", perFolder);
    double calls = 0;
    for (const auto& [call, spent] : timings) {
        const double perApply = static_cast<double>(spent.size()) / folders;
        // The mean, not the median: the calls' shares must add up to the
        // whole time, which pays for every slow call too.
        double total = 0;
        for (double each : spent) total += each;
        const double time = total / folders;
        calls += time;
        std::printf("command_line_profile_%s_calls %.1f\n", call.c_str(), perApply);
        std::printf("command_line_profile_%s_us %.1f\n", call.c_str(), time);
    }
    std::printf("command_line_profile_between_calls_us %.1f\n", std::max(0.0, perFolder - calls));
    return 0;
}
