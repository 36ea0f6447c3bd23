#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <optional>

#include "mainwindow/form1.h"
#include "mainwindow/win32/artwork.h"
#include "mainwindow/win32/dpi.h"
#include "mainwindow/win32/native_controls.h"
#include "mainwindow/win32/painter.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/background_work.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/file_system.h"
#include "platform/win32/network_path.h"
#include "platform/win32/pause_timer.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/shell_dialogs.h"
#include "platform/win32/themed_controls.h"

namespace app {

// The Win32 window that shows `Form1`: it paints what the model holds and
// turns window messages into the model's input calls.
class MainWindow : private mainwindow::Form1View, private platform::MainFrame {
  public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window centred on the screen and shows it.
    bool create(int showCommand);
    HWND hwnd() const { return window_; }

    // Gives the model the keys it acts on before any control sees them;
    // true when the message is used up.
    bool translateKey(const MSG& message);

    static const wchar_t* className();

  private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Draws the whole client area, through a canvas so that nothing flickers.
    void paint(HDC dc);
    void repaint();
    bool showsFocus() const;
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onDrop(HDROP drop);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    mainwindow::TwipPoint twips(LPARAM lParam) const;
    bool setOuterSize(int widthPixels, int heightPixels);

    // Form1View
    void showText(mainwindow::ControlId box, const std::u16string& text) override;
    void selectAll(mainwindow::ControlId box) override;
    void redraw(mainwindow::ControlId control) override;
    void moveFocus(mainwindow::ControlId control) override;

    // MainFrame
    platform::WindowHandle handle() const override;
    bool setOuterHeight(int twips) override;
    bool setOuterWidth(int twips) override;
    void dragWithMouse() override;
    void endProgram() override;
    void acceptInput(bool accept) override;

    HWND window_ = nullptr;
    DpiSource dpiSource_;
    UINT dpi_ = 96;

    // First, so that COM outlasts everything below that may use it.
    win32::ComOnFirstUse com_{COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE};
    win32::ThemedControls themed_;
    win32::FileStore files_;
    win32::FileAttributes attributes_;
    win32::AnsiCodePage codePage_;
    win32::MessageDialog messages_;
    win32::FolderBrowser folderBrowser_;
    win32::CommonDialogs dialogs_;
    win32::PictureLoader pictures_;
    win32::NumberLocale locale_;
    win32::UrlLauncher urls_;
    win32::BackgroundWork background_;
    win32::NetworkPaths network_;
    win32::PauseTimer pause_;
    mainwindow::Form1 form_;
    NativeControls controls_;

    std::unique_ptr<ArtworkSet> artwork_;
    std::unique_ptr<Fonts> fonts_;
    HWND focused_ = nullptr;
    // The focus when the window stopped taking input, to give back after.
    HWND focusWhileWaiting_ = nullptr;
};

}  // namespace app
