#include "mainwindow/win32/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "mainwindow/hit_test.h"
#include "mainwindow/keyboard.h"
#include "platform/win32/gdi_guards.h"
#include "platform/win32/wide_text.h"
#include "resource_ids.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::ControlId;

constexpr wchar_t caption[] = L"برنامج تغيير خلفية المجلدات الاصدار الثاني";
// Sent by Windows 8.1 and later when the window moves to a monitor of
// another DPI; the XP headers we build with do not name it.
constexpr UINT dpiChanged = 0x02E0;  // WM_DPICHANGED
// Posted by the picture loader when a decode for the preview has finished.
constexpr UINT pictureFinished = WM_APP + 1;
// Posted by the worker when disk work for a command or a read has finished.
constexpr UINT diskWorkFinished = WM_APP + 2;
// The folder-menu item of the system menu; the system keeps the low four
// bits of a command's number for itself.
constexpr UINT folderMenuCommand = 0x0110;

// The one-shot timer of the pause before a network folder is read.
constexpr UINT_PTR pauseTimer = 1;
constexpr DWORD windowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

int mouseButtons(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) buttons |= mainwindow::mouse::left;
    if (keys & MK_RBUTTON) buttons |= mainwindow::mouse::right;
    if (keys & MK_MBUTTON) buttons |= mainwindow::mouse::middle;
    return buttons;
}

// The keys the model acts on; the modifiers that give a key another meaning
// (Ctrl+Esc opens the Start menu) leave it alone. Space is not among them:
// the focused stand-in presses on its release, as a button does.
std::optional<mainwindow::Key> keyOf(const MSG& message) {
    using mainwindow::Key;
    const bool alt = (message.lParam & (1 << 29)) != 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (message.wParam) {
        case VK_TAB:
            if (alt || ctrl) return std::nullopt;
            return shift ? Key::shiftTab : Key::tab;
        case VK_RETURN:
            if (alt || ctrl) return std::nullopt;
            return Key::enter;
        case VK_ESCAPE:
            if (alt || ctrl) return std::nullopt;
            return Key::escape;
        case VK_F4:
            if (ctrl) return std::nullopt;
            return alt ? Key::altF4 : Key::f4;
        case VK_DOWN:
            if (!alt || ctrl) return std::nullopt;
            return Key::altDown;
        default:
            return std::nullopt;
    }
}

std::u16string windowText(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1);
    int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return ::win32::fromWide({text.data(), static_cast<std::size_t>(std::max(length, 0))});
}

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
    windowClass.lpfnWndProc = windowProc;
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

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    const Answer answer = self->onMessage(message, wParam, lParam);
    return answer ? *answer : ::DefWindowProcW(window, message, wParam, lParam);
}

MainWindow::Answer MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate();
        case WM_INITMENUPOPUP:
            return onInitMenuPopup(lParam);
        case WM_SYSCOMMAND:
            return onSysCommand(wParam);
        case WM_DROPFILES:
            return onDropFiles(reinterpret_cast<HDROP>(wParam));
        case WM_SIZE:
            return onSize();
        case dpiChanged:
            return onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_ERASEBKGND:
            return 1;  // painting covers all of it, through a canvas
        case WM_PAINT:
            return onPaint();
        case WM_PRINTCLIENT:
            return onPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_UPDATEUISTATE:
            return onUpdateUiState(wParam, lParam);
        case WM_MOUSEMOVE:
            return onMouseMove(wParam, lParam);
        case WM_LBUTTONDOWN:
            return onLeftButtonDown(lParam);
        case WM_LBUTTONDBLCLK:
            return onLeftButtonDoubleClick(lParam);
        case WM_LBUTTONUP:
            return onLeftButtonUp(lParam);
        case WM_SETCURSOR:
            return onSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_COMMAND:
            return onCommand(wParam, lParam);
        case WM_GETOBJECT:
            return onGetObject();
        case WM_CTLCOLOREDIT:
            return onCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLORSTATIC:
            return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            return onActivate(LOWORD(wParam));
        case WM_SETFOCUS:
            return onSetFocus();
        case pictureFinished:
            return onPictureFinished();
        case diskWorkFinished:
            return onDiskWorkFinished();
        case WM_TIMER:
            return onTimer(wParam);
        case WM_DESTROY:
            return onDestroy();
        case WM_NCDESTROY:
            return onNcDestroy();
        default:
            return std::nullopt;
    }
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

MainWindow::Answer MainWindow::onInitMenuPopup(LPARAM lParam) {
    if (HIWORD(lParam)) checkFolderMenuItem();
    return std::nullopt;
}

MainWindow::Answer MainWindow::onSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != folderMenuCommand) return std::nullopt;
    switchFolderMenu();
    return 0;
}

MainWindow::Answer MainWindow::onDropFiles(HDROP drop) {
    // Only the first item counts: the window holds one folder and one picture.
    std::u16string path;
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    if (length > 0 && length != 0xFFFFFFFF) {
        std::vector<wchar_t> buffer(length + 1);
        ::DragQueryFileW(drop, 0, buffer.data(), length + 1);
        path = ::win32::fromWide(buffer.data());
    }
    ::DragFinish(drop);
    open(path);
    return 0;
}

MainWindow::Answer MainWindow::onSize() {
    if (controls_.created()) form_.Form_Resize();
    return 0;
}

MainWindow::Answer MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The boxes hold the old fonts until they have the new ones.
    auto previousFonts = std::exchange(fonts_, std::make_unique<Fonts>(dpi_));
    if (artwork_) artwork_->scaleFor(dpi_);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.layout(*fonts_);
    previousFonts.reset();
    form_.scaleChanged();
    ::InvalidateRect(window_, nullptr, FALSE);
    return 0;
}

MainWindow::Answer MainWindow::onPaint() {
    ::win32::PaintDc dc(window_);
    paint(dc.get());
    return 0;
}

MainWindow::Answer MainWindow::onPrintClient(HDC dc) {
    paint(dc);
    return 0;
}

MainWindow::Answer MainWindow::onUpdateUiState(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::DefWindowProcW(window_, WM_UPDATEUISTATE, wParam, lParam);
    repaint();
    return result;
}

MainWindow::Answer MainWindow::onMouseMove(WPARAM keys, LPARAM at) {
    controls_.mouseMoved(keys, at);
    form_.mouseMoved(twips(at), mouseButtons(keys));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonDown(LPARAM at) {
    ::SetCapture(window_);
    form_.leftButtonDown(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonDoubleClick(LPARAM at) {
    ::SetCapture(window_);
    form_.leftDoubleClick(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onLeftButtonUp(LPARAM at) {
    if (::GetCapture() == window_) ::ReleaseCapture();
    form_.leftButtonUp(twips(at));
    return 0;
}

MainWindow::Answer MainWindow::onSetCursor(HWND over, UINT hitTest) {
    if (over != window_ || hitTest != HTCLIENT) return std::nullopt;
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(window_, &p);
    const mainwindow::TwipPoint at{pixelsToTwips(p.x, dpi_), pixelsToTwips(p.y, dpi_)};
    auto under = mainwindow::controlAt(form_.controls(), at);
    if (!under || !form_.control(*under).upArrowCursor) return std::nullopt;
    ::SetCursor(::LoadCursorW(nullptr, IDC_UPARROW));
    return TRUE;
}

MainWindow::Answer MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (controls_.checkBoxNotified(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) return 0;
    auto box = controls_.boxOf(reinterpret_cast<HWND>(lParam));
    if (!box) return 0;
    switch (HIWORD(wParam)) {
        case EN_CHANGE:
            // The model ignores a text it already holds, which is what a
            // text it put there itself comes back as.
            form_.textEdited(*box, windowText(reinterpret_cast<HWND>(lParam)));
            break;
        case EN_SETFOCUS:
            form_.focusEntered(*box);
            break;
        case EN_KILLFOCUS:
            form_.focusLeft(*box);
            break;
        default:
            break;
    }
    return 0;
}

MainWindow::Answer MainWindow::onGetObject() {
    // The system's own object answers; the boxes are named before it does.
    controls_.accessibilityWanted();
    return std::nullopt;
}

MainWindow::Answer MainWindow::onCtlColorEdit(HDC dc, HWND edit) {
    auto box = controls_.boxOf(edit);
    if (!box) return std::nullopt;
    ::SetTextColor(dc, controls_.textColour(*box));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

// The check box lies on the painted background: its brush is what the
// window paints beneath it. A brush, not a paint into the box's DC: the box
// fills with it only when it draws itself whole, and a focus change that
// draws only the focus rectangle must not wipe its label.
MainWindow::Answer MainWindow::onCtlColorStatic(HDC dc, HWND control) {
    auto brush = controls_.checkBoxColours(control, dc);
    if (!brush) return std::nullopt;
    if (*brush) return reinterpret_cast<LRESULT>(*brush);
    RECT box{};
    ::GetClientRect(control, &box);
    POINT origin{0, 0};
    ::MapWindowPoints(control, window_, &origin, 1);
    ::win32::UniqueBitmap beneath(::CreateCompatibleBitmap(dc, box.right, box.bottom));
    ::win32::UniqueDc canvas(::CreateCompatibleDC(dc));
    if (!beneath || !canvas) return std::nullopt;
    {
        ::win32::SelectGuard select(canvas.get(), beneath.get());
        ::SetViewportOrgEx(canvas.get(), -origin.x, -origin.y, nullptr);
        paint(canvas.get());
    }
    checkBoxBrush_ = ::win32::UniqueBrush(::CreatePatternBrush(beneath.get()));
    if (!checkBoxBrush_) return std::nullopt;
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    return reinterpret_cast<LRESULT>(checkBoxBrush_.get());
}

MainWindow::Answer MainWindow::onActivate(UINT state) {
    // Give the focus back to the child that had it, as dialogs do.
    if (state == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) focused_ = focus;
    }
    return std::nullopt;
}

MainWindow::Answer MainWindow::onSetFocus() {
    // At first the window keeps the focus itself: nothing in it is focused,
    // and a screen reader names the window.
    if (focused_ && ::IsWindow(focused_)) ::SetFocus(focused_);
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
    // Nothing reaches this object once its window is gone; the default
    // procedure still sees the message.
    ::SetWindowLongPtrW(std::exchange(window_, nullptr), GWLP_USERDATA, 0);
    return std::nullopt;
}

bool MainWindow::translateKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!window_ || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) return false;
    // No keys while a command waits for the disk: Escape would end it.
    if (!::IsWindowEnabled(window_)) return true;
    auto key = keyOf(message);
    if (!key) return false;
    if (*key == mainwindow::Key::tab || *key == mainwindow::Key::shiftTab) {
        // The keyboard is in use: from now on the focus shows.
        ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    return form_.keyPressed(*key);
}

void MainWindow::open(const std::u16string& path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(::win32::wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    form_.dropped(path, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

void MainWindow::addFolderMenuItem() {
    HMENU menu = ::GetSystemMenu(window_, FALSE);
    if (!menu) return;
    const std::wstring text = ::win32::toWide(foldermenu::FolderMenuEntry::text);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, folderMenuCommand, text.c_str());
}

// Read afresh each time the menu opens: another copy of the program, or a
// script, may have changed the entry since.
void MainWindow::checkFolderMenuItem() {
    HMENU menu = ::GetSystemMenu(window_, FALSE);
    if (!menu) return;
    const UINT state = services_.folderMenu.pointsHere() ? MF_CHECKED : MF_UNCHECKED;
    ::CheckMenuItem(menu, folderMenuCommand, MF_BYCOMMAND | state);
}

void MainWindow::switchFolderMenu() {
    auto& entry = services_.folderMenu;
    if (entry.pointsHere()) {
        entry.remove();
    } else {
        entry.add();
    }
}

void MainWindow::paint(HDC dc) {
    RECT client{};
    ::GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0 || !fonts_ || !artwork_) return;
    ::win32::MemoryCanvas canvas(dc, client.right, client.bottom);
    paintForm(canvas.get(), client, form_, *artwork_, *fonts_, dpi_, showsFocus());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, canvas.get(), 0, 0, SRCCOPY);
}

bool MainWindow::showsFocus() const {
    const auto state = ::SendMessageW(window_, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

mainwindow::TwipPoint MainWindow::twips(LPARAM lParam) const {
    return {pixelsToTwips(GET_X_LPARAM(lParam), dpi_), pixelsToTwips(GET_Y_LPARAM(lParam), dpi_)};
}

void MainWindow::showText(ControlId box, const std::u16string& text) {
    controls_.showText(box, text);
}

void MainWindow::selectAll(ControlId box) { controls_.selectAll(box); }

void MainWindow::redraw(ControlId id) {
    repaint();
    if (id == ControlId::vcolor) controls_.colourChanged();
    if (id == ControlId::iconBox) controls_.checkBoxChanged();
}

void MainWindow::repaint() {
    // A control may have moved or been hidden, so its old place is
    // repainted too: the whole client area is cheap enough.
    ::InvalidateRect(window_, nullptr, FALSE);
}

void MainWindow::moveFocus(ControlId id) { controls_.focus(id); }

platform::WindowHandle MainWindow::handle() const {
    return reinterpret_cast<platform::WindowHandle>(window_);
}

bool MainWindow::setOuterSize(int widthPixels, int heightPixels) {
    if (::IsIconic(window_)) return false;
    RECT r{};
    ::GetWindowRect(window_, &r);
    if (r.right - r.left == widthPixels && r.bottom - r.top == heightPixels) return true;
    return ::SetWindowPos(window_, nullptr, 0, 0, widthPixels, heightPixels,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool MainWindow::setOuterHeight(int twips) {
    RECT r{};
    ::GetWindowRect(window_, &r);
    return setOuterSize(r.right - r.left, twipsToPixels(twips, dpi_));
}

bool MainWindow::setOuterWidth(int twips) {
    RECT r{};
    ::GetWindowRect(window_, &r);
    return setOuterSize(twipsToPixels(twips, dpi_), r.bottom - r.top);
}

void MainWindow::dragWithMouse() {
    ::ReleaseCapture();
    ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::endProgram() { ::DestroyWindow(window_); }

void MainWindow::acceptInput(bool accept) {
    // A disabled window still paints and answers, but neither the mouse nor
    // the keyboard reaches it or its boxes, and it cannot be closed.
    if (!accept) focusWhileWaiting_ = ::GetFocus();
    ::EnableWindow(window_, accept ? TRUE : FALSE);
    if (accept && focusWhileWaiting_ && ::IsWindow(focusWhileWaiting_)) {
        ::SetFocus(std::exchange(focusWhileWaiting_, nullptr));
    }
}

}  // namespace mainwindow::win32
