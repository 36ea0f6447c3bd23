#pragma once

// Fakes of the platform's window-side services: dialogs, pictures, the frame,
// background work and the rest that Form1 and the command line are lent.

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/background_work.h"
#include "platform/common_dialog.h"
#include "platform/folder_browser.h"
#include "platform/message_dialog.h"
#include "platform/network_paths.h"
#include "platform/number_locale.h"
#include "platform/pause_timer.h"
#include "platform/picture.h"
#include "platform/picture_loader.h"
#include "platform/system_error.h"
#include "platform/url_launcher.h"
#include "platform/windows_version.h"

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

}  // namespace fakes
