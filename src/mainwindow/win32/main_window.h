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
#include "mainwindow/win32/window_services.h"
#include "platform/win32/unique_handle.h"

namespace mainwindow::win32 {

// The Win32 window that shows `Form1`: it paints what the model holds and
// turns window messages into the model's input calls.
class MainWindow : private mainwindow::Form1View {
  public:
    explicit MainWindow(const WindowServices& services);
    // The services stay with the program: nothing of the window stays in them.
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window centred on the screen and shows it.
    bool create(int showCommand);
    HWND hwnd() const { return window_; }

    // A file or folder named when the program was started: as if dropped on
    // the window.
    void open(const std::u16string& path);

    // Gives the model the keys it acts on before any control sees them;
    // true when the message is used up.
    bool translateKey(const MSG& message);

    static const wchar_t* className();

  private:
    // What the window answers to a message; nothing leaves the message to
    // the system's default window procedure.
    using Answer = std::optional<LRESULT>;

    // Posted by the picture loader when a decode for the preview has finished.
    static constexpr UINT pictureFinished = WM_APP + 1;
    // Posted by the worker when disk work for a command or a read has finished.
    static constexpr UINT diskWorkFinished = WM_APP + 2;
    // The one-shot timer of the pause before a network folder is read.
    static constexpr UINT_PTR pauseTimer = 1;

    // Every message of the window, which is attached to this object.
    LRESULT onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands each message to its handler below.
    Answer onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    Answer onCreate();
    Answer onInitMenuPopup(LPARAM lParam);
    Answer onSysCommand(WPARAM command);
    Answer onDropFiles(HDROP drop);
    Answer onSize();
    Answer onDpiChanged(UINT dpi, const RECT& suggested);
    Answer onPaint();
    Answer onPrintClient(HDC dc);
    Answer onUpdateUiState(WPARAM wParam, LPARAM lParam);
    Answer onMouseMove(WPARAM keys, LPARAM at);
    Answer onLeftButtonDown(LPARAM at);
    Answer onLeftButtonDoubleClick(LPARAM at);
    Answer onLeftButtonUp(LPARAM at);
    Answer onSetCursor(HWND over, UINT hitTest);
    Answer onCommand(WPARAM wParam, LPARAM lParam);
    Answer onGetObject();
    Answer onCtlColorEdit(HDC dc, HWND edit);
    Answer onCtlColorStatic(HDC dc, HWND control);
    Answer onActivate(UINT state);
    Answer onSetFocus();
    Answer onPictureFinished();
    Answer onDiskWorkFinished();
    Answer onTimer(WPARAM timer);
    Answer onDestroy();
    Answer onNcDestroy();

    // Draws the whole client area, through a canvas so that nothing flickers.
    void paint(HDC dc);
    void repaint();
    bool showsFocus() const;
    void addFolderMenuItem();
    void checkFolderMenuItem();
    void switchFolderMenu();
    mainwindow::TwipPoint twips(LPARAM lParam) const;
    bool setOuterSize(int widthPixels, int heightPixels);

    // Form1View
    void showText(mainwindow::ControlId box, const std::u16string& text) override;
    void selectAll(mainwindow::ControlId box) override;
    void redraw(mainwindow::ControlId control) override;
    void moveFocus(mainwindow::ControlId control) override;

    // Form1View: the top-level window
    platform::WindowHandle handle() const override;
    bool setOuterHeight(int twips) override;
    bool setOuterWidth(int twips) override;
    void dragWithMouse() override;
    void endProgram() override;
    void acceptInput(bool accept) override;

    HWND window_ = nullptr;
    DpiSource dpiSource_;
    UINT dpi_ = 96;

    WindowServices services_;
    mainwindow::Form1 form_;
    NativeControls controls_;

    std::unique_ptr<ArtworkSet> artwork_;
    std::unique_ptr<Fonts> fonts_;
    // What the window paints beneath the icon box, which the box fills with.
    ::win32::UniqueBrush checkBoxBrush_;
    HWND focused_ = nullptr;
    // The focus when the window stopped taking input, to give back after.
    HWND focusWhileWaiting_ = nullptr;
};

}  // namespace mainwindow::win32
