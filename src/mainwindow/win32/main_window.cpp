// The window's making and unmaking, and the services it lends itself to.

#include "mainwindow/win32/main_window.h"

#include <memory>
#include <utility>

#include "mainwindow/win32/window_procedure.h"
#include "resource_ids.h"

namespace mainwindow::win32 {
namespace {

constexpr wchar_t caption[] = L"برنامج تغيير خلفية المجلدات الاصدار الثاني";

constexpr DWORD windowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

MainWindow::MainWindow(const WindowServices& services)
    : services_(services),
      form_(services.form, *this),
      controls_(form_, services.com, services.themed, [this] { return dpi_; }) {
    services_.pictures.setDpiSource([this] { return dpi_; });
}

MainWindow::~MainWindow() {
    services_.pictures.setDpiSource([] { return UINT{96}; });
}

const wchar_t* MainWindow::className() { return L"FolderBackgroundMainWindow"; }

bool MainWindow::create(int showCommand) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProcedure<MainWindow, &MainWindow::onWindowMessage>;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(
        instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className();
    if (!::RegisterClassExW(&windowClass)) return false;

    // Centred on the primary monitor's work area at its DPI; WM_DPICHANGED
    // corrects the size should the window open on another monitor.
    const UINT dpi = dpiSource_.of(nullptr);
    const int width = twipsToPixels(mainwindow::outerWidthTwips, dpi);
    const int height = twipsToPixels(mainwindow::outerHeightTwips, dpi);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;

    // Files may be dropped on it (WS_EX_ACCEPTFILES is what DragAcceptFiles
    // sets, without loading the shell at start).
    if (!::CreateWindowExW(WS_EX_ACCEPTFILES, className(), caption, windowStyle, x, y, width,
                           height, nullptr, nullptr, instance, this)) {
        return false;
    }
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
    return true;
}

MainWindow::Answer MainWindow::onCreate() {
    dpi_ = dpiSource_.of(window_);
    services_.dialogs.setOwner(window_);
    services_.messages.setOwner(window_);
    services_.pictures.attach(window_, pictureFinished);
    services_.background.attach(window_, diskWorkFinished);
    services_.pause.attach(window_, pauseTimer);
    artwork_ = std::make_unique<ArtworkSet>();
    artwork_->scaleFor(dpi_);
    fonts_ = std::make_unique<Fonts>(dpi_);
    if (!controls_.create(window_, *fonts_)) return -1;
    addFolderMenuItem();
    // The focus rectangle stays hidden until the keyboard is used, unless
    // the window was opened from the keyboard.
    ::SendMessageW(window_, WM_CHANGEUISTATE,
                   MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    return 0;
}

MainWindow::Answer MainWindow::onPictureFinished() {
    if (auto finished = services_.pictures.takeFinished()) {
        form_.pictureLoaded(finished->ticket, std::move(finished->picture));
    }
    return 0;
}

MainWindow::Answer MainWindow::onDiskWorkFinished() {
    services_.background.runFinished();
    return 0;
}

MainWindow::Answer MainWindow::onTimer(WPARAM timer) {
    if (timer != pauseTimer) return std::nullopt;
    services_.pause.elapsed();
    return 0;
}

MainWindow::Answer MainWindow::onDestroy() {
    // A decode or a read under way finishes unannounced: this window is
    // going.
    services_.pictures.detach();
    services_.background.detach();
    services_.pause.detach();
    ::PostQuitMessage(0);
    return 0;
}

MainWindow::Answer MainWindow::onNcDestroy() {
    // The window is let go of; the default procedure still sees the message.
    window_ = nullptr;
    return std::nullopt;
}

}  // namespace mainwindow::win32
