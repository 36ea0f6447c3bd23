#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "mainwindow/form1.h"

namespace bench {

// The services a benchmark does not use, doing nothing, so that only the
// file system and the code page cost anything. Disk work runs at once, on
// the calling thread, where a benchmark times it.
struct Idle : platform::MessageDialog,
              platform::FolderBrowser,
              platform::CommonDialogs,
              platform::PictureLoader,
              platform::NumberLocale,
              platform::UrlLauncher,
              platform::BackgroundWork,
              platform::ShellNotifier,
              platform::WindowsVersion,
              platform::ErrorTexts,
              platform::NetworkPaths,
              platform::PauseTimer,
              platform::FolderIconMaker,
              mainwindow::Form1View {
    void show(std::u16string_view, std::u16string_view) override {}
    std::u16string browse(platform::WindowHandle, std::u16string_view) override { return {}; }
    bool showOpen(platform::CommonDialogState&) override { return false; }
    bool showColor(platform::CommonDialogState&) override { return false; }
    // Never answers: decoding the named picture is the preview's cost, not
    // the reader's.
    platform::PictureTicket request(const std::u16string&, int, int,
                                    platform::PictureOrigin) override {
        return 0;
    }
    char16_t decimalSeparator() const override { return u'.'; }
    bool open(std::u16string_view) override { return false; }
    platform::WindowHandle handle() const override { return 0; }
    bool setOuterHeight(int) override { return true; }
    bool setOuterWidth(int) override { return true; }
    void dragWithMouse() override {}
    void endProgram() override {}
    void acceptInput(bool) override {}
    std::u16string describe(platform::SystemError) const override { return {}; }
    void run(std::function<void()> work, std::function<void()> done, bool) override {
        work();
        done();
    }
    void folderChanged(const std::u16string&) override {}
    void folderContentsChanged(const std::u16string&) override {}
    platform::WindowsRelease release() const override { return {5, 1}; }
    bool isOnNetwork(const std::u16string&) const override { return false; }
    void runAfter(std::chrono::milliseconds, std::function<void()> action) override { action(); }
    void cancel() override {}
    std::optional<std::string> makeIcon(const std::u16string&) override { return std::nullopt; }
    void showText(mainwindow::ControlId, const std::u16string&) override {}
    void selectAll(mainwindow::ControlId) override {}
    void redraw(mainwindow::ControlId) override {}
    void moveFocus(mainwindow::ControlId) override {}

    // The window's services over `disk`, idle but for the messages and the
    // background work a benchmark may watch.
    mainwindow::Services services(customisation::Disk disk, platform::MessageDialog& messages,
                                  platform::BackgroundWork& background) {
        return {{disk, *this, *this, *this, *this},
                messages,
                *this,
                *this,
                *this,
                *this,
                background,
                *this,
                *this,
                *this};
    }
    mainwindow::Services services(customisation::Disk disk) { return services(disk, *this, *this); }
};

}  // namespace bench
