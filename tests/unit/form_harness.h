#pragma once

// Form1 over the fakes of every platform operation. Here, beside the tests of
// the window's model, because it needs that model: the fakes themselves link
// the platform's interfaces only.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fake_code_page.h"
#include "fake_disk.h"
#include "fake_icon_maker.h"
#include "fake_services.h"
#include "fake_shell.h"
#include "mainwindow/form1.h"

namespace fakes {

// What the model asked of the top-level window, in order.
struct FakeFrame {
    platform::WindowHandle handle() const { return 0x1234; }
    std::vector<std::string> calls;
    bool minimised = false;
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
    platform::WindowHandle handle() const override { return frame.handle(); }
    bool setOuterHeight(int twips) override {
        frame.calls.push_back("height " + std::to_string(twips));
        return !frame.minimised;
    }
    bool setOuterWidth(int twips) override {
        frame.calls.push_back("width " + std::to_string(twips));
        return !frame.minimised;
    }
    void dragWithMouse() override { frame.calls.emplace_back("drag"); }
    void endProgram() override { frame.calls.emplace_back("end"); }
    void acceptInput(bool accept) override {
        frame.calls.emplace_back(accept ? "input on" : "input off");
    }

    FakeFrame frame;
    std::map<mainwindow::ControlId, std::u16string> shownTexts;
    std::vector<mainwindow::ControlId> selected;
    int redraws = 0;
    // The window reporting the focus where it was asked to go.
    std::function<void(mainwindow::ControlId)> onMoveFocus;
};

// Fakes of the window's services, all but the disk, the Windows version and
// the network paths, which a test on real files takes real.
struct WindowFakes {
    FakeMessages messages;
    FakeFolderBrowser folderBrowser;
    FakeDialogs dialogs;
    FakePictures pictures;
    FakeLocale locale;
    FakeUrls urls;
    FakeBackground background;
    FakeShell shell;
    FakePause pause;
    FakeView view;
    FakeFrame& frame = view.frame;
    FakeErrorTexts errorTexts;
    FakeIconMaker icons;

    mainwindow::Services servicesOver(customisation::Disk disk,
                                      const platform::WindowsVersion& windows,
                                      const platform::NetworkPaths& network) {
        return {{disk, locale, shell, errorTexts, icons},
                messages,
                folderBrowser,
                dialogs,
                pictures,
                urls,
                background,
                windows,
                network,
                pause};
    }
};

// A main window over fakes of every platform operation.
struct FormHarness : WindowFakes {
    FakeDisk disk;
    Cp1256 codePage;
    FakeWindowsVersion windows;
    FakeNetwork network;
    mainwindow::Form1 form{services(), view};

    mainwindow::Services services() {
        return servicesOver({disk, disk, codePage}, windows, network);
    }

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
