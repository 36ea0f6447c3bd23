#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fake_code_page.h"
#include "fake_disk.h"
#include "fake_icon_maker.h"
#include "fake_shell.h"
#include "mainwindow/form1.h"

namespace fakes {

struct Message {
    std::u16string text;
    std::u16string title;
    bool operator==(const Message&) const = default;
};

class FakeMessages : public platform::MessageDialog {
  public:
    void show(std::u16string_view text, std::u16string_view title) override {
        shown.push_back({std::u16string(text), std::u16string(title)});
        if (onShow) onShow();
    }
    std::vector<Message> shown;
    // Runs while the box is "open", to see what has happened before it.
    std::function<void()> onShow;
};

class FakeFolderBrowser : public platform::FolderBrowser {
  public:
    std::u16string browse(platform::WindowHandle owner, std::u16string_view title) override {
        calls.push_back({owner, std::u16string(title)});
        return answer;
    }
    std::u16string answer;
    std::vector<std::pair<platform::WindowHandle, std::u16string>> calls;
};

// Answers each dialog with the next scripted answer; nothing means cancel.
class FakeDialogs : public platform::CommonDialogs {
  public:
    bool showOpen(platform::CommonDialogState& state) override {
        opened.push_back(state);
        auto answer = next(openAnswers);
        if (answer) state.fileName = *answer;
        return answer.has_value();
    }
    bool showColor(platform::CommonDialogState& state) override {
        opened.push_back(state);
        auto answer = next(colourAnswers);
        if (answer) state.color = *answer;
        return answer.has_value();
    }
    std::deque<std::optional<std::u16string>> openAnswers;
    std::deque<std::optional<std::int32_t>> colourAnswers;
    std::vector<platform::CommonDialogState> opened;

  private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct FakePicture : platform::Picture {
    explicit FakePicture(std::u16string path) : path(std::move(path)) {}
    std::u16string path;
};

// Decodes the paths it knows, each into a new picture object. Requests wait
// until the test answers them, as the window's completions arrive later.
class FakePictures : public platform::PictureLoader {
  public:
    struct Request {
        platform::PictureTicket ticket = 0;
        std::u16string path;
    };
    platform::PictureTicket request(const std::u16string& path, int, int,
                                    platform::PictureOrigin origin) override {
        loads.push_back(path);
        origins.push_back(origin);
        waiting.push_back({++lastTicket, path});
        return lastTicket;
    }
    platform::LoadedPicture decoded(const std::u16string& path) const {
        if (path.empty()) return platform::PicturePtr{};
        if (known.count(path) == 0) return std::nullopt;
        return std::make_shared<FakePicture>(path);
    }
    std::set<std::u16string> known;
    std::vector<std::u16string> loads;
    std::vector<platform::PictureOrigin> origins;  // one per load
    std::deque<Request> waiting;                   // oldest first
    platform::PictureTicket lastTicket = 0;
};

class FakeLocale : public platform::NumberLocale {
  public:
    char16_t decimalSeparator() const override { return separator; }
    char16_t separator = u'.';
};

class FakeUrls : public platform::UrlLauncher {
  public:
    bool open(std::u16string_view url) override {
        opened.emplace_back(url);
        return succeeds;
    }
    std::vector<std::u16string> opened;
    bool succeeds = true;
};

class FakeFrame : public platform::MainFrame {
  public:
    platform::WindowHandle handle() const override { return 0x1234; }
    bool setOuterHeight(int twips) override {
        calls.push_back("height " + std::to_string(twips));
        return !minimised;
    }
    bool setOuterWidth(int twips) override {
        calls.push_back("width " + std::to_string(twips));
        return !minimised;
    }
    void dragWithMouse() override { calls.emplace_back("drag"); }
    void endProgram() override { calls.emplace_back("end"); }
    void acceptInput(bool accept) override {
        calls.emplace_back(accept ? "input on" : "input off");
    }
    std::vector<std::string> calls;
    bool minimised = false;
};

// Runs each job at once, as a fast disk would, or, with `deferred`, keeps
// them until the test finishes them, as a slow one would.
class FakeBackground : public platform::BackgroundWork {
  public:
    struct Job {
        std::function<void()> work, done;
        bool replaceable = false;
    };
    void run(std::function<void()> work, std::function<void()> done, bool replaceable) override {
        if (!deferred) {
            work();
            return done();
        }
        if (replaceable) {
            std::erase_if(waiting, [](const Job& job) { return job.replaceable; });
        }
        waiting.push_back({std::move(work), std::move(done), replaceable});
    }
    // Finishes the oldest job waiting; false when none waits.
    bool finishOne() {
        if (waiting.empty()) return false;
        Job job = std::move(waiting.front());
        waiting.pop_front();
        job.work();
        job.done();
        return true;
    }
    bool deferred = false;
    std::deque<Job> waiting;
};

// Paths under \\ and on the drive letters in `networkDrives` are on the
// network. Every question is kept, to show which paths were asked about.
class FakeNetwork : public platform::NetworkPaths {
  public:
    bool isOnNetwork(const std::u16string& path) const override {
        asked.push_back(path);
        if (path.starts_with(u"\\\\")) return true;
        return path.size() >= 2 && path[1] == u':' && networkDrives.count(path[0]) != 0;
    }
    std::set<char16_t> networkDrives;
    mutable std::vector<std::u16string> asked;
};

// Holds the waiting action until the test lets the pause pass.
class FakePause : public platform::PauseTimer {
  public:
    void runAfter(std::chrono::milliseconds pause, std::function<void()> action) override {
        lastPause = pause;
        waiting = std::move(action);
    }
    void cancel() override { waiting = nullptr; }
    // Runs the waiting action; false when none waits.
    bool pass() {
        if (!waiting) return false;
        std::exchange(waiting, nullptr)();
        return true;
    }
    std::function<void()> waiting;
    std::chrono::milliseconds lastPause{0};
};

class FakeView : public mainwindow::Form1View {
  public:
    void showText(mainwindow::ControlId box, const std::u16string& text) override {
        shownTexts[box] = text;
    }
    void selectAll(mainwindow::ControlId box) override { selected.push_back(box); }
    void redraw(mainwindow::ControlId) override { ++redraws; }
    void moveFocus(mainwindow::ControlId control) override {
        if (onMoveFocus) onMoveFocus(control);
    }
    std::map<mainwindow::ControlId, std::u16string> shownTexts;
    std::vector<mainwindow::ControlId> selected;
    int redraws = 0;
    // The window reporting the focus where it was asked to go.
    std::function<void(mainwindow::ControlId)> onMoveFocus;
};

class FakeWindowsVersion : public platform::WindowsVersion {
  public:
    platform::WindowsRelease release() const override { return answer; }
    platform::WindowsRelease answer{5, 1};  // XP, whose Explorer draws the setting
};

// The system's words for an error, as "error N".
class FakeErrorTexts : public platform::ErrorTexts {
  public:
    std::u16string describe(platform::SystemError error) const override {
        std::u16string text = u"error ";
        for (char c : std::to_string(error)) text += static_cast<char16_t>(c);
        return text;
    }
};

// A main window over fakes of every platform operation.
struct FormHarness {
    FakeDisk disk;
    Cp1256 codePage;
    FakeMessages messages;
    FakeFolderBrowser folderBrowser;
    FakeDialogs dialogs;
    FakePictures pictures;
    FakeLocale locale;
    FakeUrls urls;
    FakeFrame frame;
    FakeBackground background;
    FakeShell shell;
    FakeWindowsVersion windows;
    FakeNetwork network;
    FakePause pause;
    FakeView view;
    FakeErrorTexts errorTexts;
    FakeIconMaker icons;
    mainwindow::Form1 form{mainwindow::Services{disk, disk, codePage, messages, folderBrowser,
                                                dialogs, pictures, locale, urls, frame, background,
                                                shell, windows, errorTexts, network, pause, icons},
                           view};

    FormHarness() {
        view.onMoveFocus = [this](mainwindow::ControlId control) { form.focusEntered(control); };
    }
    // Answers the oldest picture request still waiting, as the window does
    // when a decode finishes; false when none waits.
    bool answerPicture() {
        if (pictures.waiting.empty()) return false;
        auto request = pictures.waiting.front();
        pictures.waiting.pop_front();
        form.pictureLoaded(request.ticket, pictures.decoded(request.path));
        return true;
    }
    void answerPictures() {
        while (answerPicture()) {
        }
    }

    // Sets a box's text as typing would.
    void type(mainwindow::ControlId box, std::u16string text) {
        form.textEdited(box, std::move(text));
    }
    const std::u16string& text(mainwindow::ControlId box) const { return form.text(box); }
};

}  // namespace fakes
