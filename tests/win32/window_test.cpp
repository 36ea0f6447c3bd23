// The real program's window, driven from outside as the system would.
#include <windows.h>

#include <gtest/gtest.h>

#include "mainwindow/win32/dpi.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/gdi_guards.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_version.h"
#include "running_program.h"
#include "screenshot.h"
#include "test_environment.h"

namespace {

// The screen as a failed test left it, under the build folder, for a person
// to look at; the path is printed with the failure.
void keepScreenshot(UINT dpi) {
    const std::wstring folder = win32::toWide(testEnvironment().shots);
    if (folder.empty()) return;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-" +
                             std::to_string(dpi) + "dpi.png";
    const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end());
    // Shown as the Linux path when it is on Wine's drive for the Linux root.
    std::wstring shown = path.starts_with(L"Z:") ? path.substr(2) : path;
    if (shown != path) std::replace(shown.begin(), shown.end(), L'\\', L'/');
    std::string bytes(shown.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()),
                              bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    std::printf(
        "%s %s\n",
        saveScreenshot(path) ? "screenshot of the failure:" : "could not save a screenshot to",
        bytes.c_str());
    std::fflush(stdout);
}

SIZE outerSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

std::wstring textOf(HWND box) {
    // WM_GETTEXT itself: GetWindowText does not ask another process.
    wchar_t text[1024]{};
    ::SendMessageW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// The message box the program shows over its window, if one is open.
HWND messageBoxOf(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[16]{};
            ::GetClassNameW(window, name, 16);
            if (lstrcmpW(name, L"#32770") == 0 && ::GetWindow(window, GW_OWNER) == s->owner &&
                ::IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring messageText(HWND box) {
    wchar_t text[512]{};
    ::SendDlgItemMessageW(box, 0xFFFF, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> editTexts(HWND window) {
    std::vector<std::wstring> texts;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[16]{};
            ::GetClassNameW(child, name, 16);
            if (lstrcmpiW(name, L"Edit") == 0) {
                // WM_GETTEXT itself: GetWindowText does not ask another process.
                wchar_t text[512]{};
                ::SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
                reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// A pixel of the window's client area as it is on screen.
COLORREF clientPixel(HWND window, int x, int y) {
    return ::GetPixel(win32::WindowDc(window).get(), x, y);
}

class ProgramWindow : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        dpi_ = mainwindow::win32::DpiSource().of(window_);
    }

    void TearDown() override {
        if (HasFailure()) keepScreenshot(dpi_);
        if (program_ && !program_->close()) {
            ADD_FAILURE() << "the program did not end when its window was closed";
        }
    }

    SIZE fixedSize() const {
        return {::MulDiv(9945, static_cast<int>(dpi_), 1440),
                ::MulDiv(5190, static_cast<int>(dpi_), 1440)};
    }
    bool hasFixedSize() const {
        SIZE size = outerSize(window_), fixed = fixedSize();
        return size.cx == fixed.cx && size.cy == fixed.cy;
    }

    UINT dpi_ = 96;
};

TEST_F(ProgramWindow, OpensAtItsFixedSizeWithTheDesignTexts) {
    EXPECT_TRUE(waitFor([&] { return hasFixedSize(); }));
    wchar_t caption[128]{};
    ::GetWindowTextW(window_, caption, 128);
    EXPECT_EQ(std::wstring(caption), L"برنامج تغيير خلفية المجلدات الاصدار الثاني");
    auto texts = editTexts(window_);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"C:\\Program Files"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"C:\\WINDOWS\\ACD Wallpaper.bmp"),
              texts.end());
    LONG style = ::GetWindowLongW(window_, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(ProgramWindow, SnapsBackAfterAResizeAndAfterMinimising) {
    for (SIZE size : {SIZE{900, 600}, SIZE{300, 200}}) {
        ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(waitFor([&] { return hasFixedSize(); }));
    }
    ::ShowWindow(window_, SW_MINIMIZE);
    EXPECT_TRUE(waitFor([&] { return ::IsIconic(window_) != FALSE; }));
    ::ShowWindow(window_, SW_RESTORE);
    EXPECT_TRUE(waitFor([&] { return !::IsIconic(window_) && hasFixedSize(); }));
}

TEST_F(ProgramWindow, PaintsTheArtwork) {
    ::SetForegroundWindow(window_);
    auto scaled = [&](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi_), 96); };
    // The left end of the colour bar is red, the apply button green.
    COLORREF bar = 0, apply = 0;
    EXPECT_TRUE(waitFor([&] {
        bar = clientPixel(window_, scaled(422), scaled(171));
        apply = clientPixel(window_, scaled(560), scaled(230));
        return GetRValue(bar) > 180 && GetGValue(bar) < 90 && GetGValue(apply) > 120 &&
               GetRValue(apply) < 110;
    })) << std::hex
        << "colour bar " << bar << ", apply button " << apply;
}

TEST_F(ProgramWindow, ShowsAFoldersSettingAndRemovesIt) {
    const std::wstring folder = win32::toWide(freshFolder(u"window-road"));
    const std::wstring ini = folder + L"Desktop.ini";
    {
        win32::UniqueFile file(::CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const char text[] =
            "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\nAttributes=1\r\n"
            "IconArea_Image=C:\\Pictures\\Sky.jpg\r\nIconArea_Text=255\r\n";
        DWORD written = 0;
        ::WriteFile(file.get(), text, sizeof(text) - 1, &written, nullptr);
    }
    ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_SYSTEM);

    auto boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 3u);
    HWND fold = boxes[0], img = boxes[1], color = boxes[2];
    // As if typed: the box tells the window its text changed.
    ::SendMessageW(fold, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    EXPECT_TRUE(waitFor([&] { return textOf(img) == L"C:\\Pictures\\Sky.jpg"; }))
        << "img holds " << win32::fromWide(textOf(img)).size() << " characters";
    EXPECT_TRUE(waitFor([&] { return textOf(color) == L"255"; }))
        << "color holds " << textOf(color).size() << " characters";

    // A click on the painted restore button.
    auto pixels = [&](int twips) { return ::MulDiv(twips, static_cast<int>(dpi_), 1440); };
    const LPARAM at = MAKELPARAM(pixels(6350 + 700), pixels(3030 + 340));
    ::PostMessageW(window_, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(window_, WM_LBUTTONUP, 0, at);
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = messageBoxOf(window_)) != nullptr; }));
    EXPECT_EQ(messageText(box), L"تم الحذف بنجاح");
    EXPECT_EQ(::GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(textOf(img), L"");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(
        waitFor([&] { return ::GetFileAttributesW(folder.c_str()) == FILE_ATTRIBUTE_DIRECTORY; }));
}

// The program's check box, a native child of the window.
HWND checkBoxOf(HWND window) {
    HWND found = nullptr;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[16]{};
            ::GetClassNameW(child, name, 16);
            const auto type = ::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
            if (lstrcmpiW(name, L"Button") != 0 || type != BS_AUTOCHECKBOX) return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Checked where Explorer draws no background; a folder with an icon of its
// own clears and disables it. The screenshot shows it at this DPI.
TEST_F(ProgramWindow, TheIconBoxStartsByTheWindowsAndYieldsToAFoldersOwnIcon) {
    HWND box = checkBoxOf(window_);
    ASSERT_NE(box, nullptr);
    const bool vistaOrLater = win32::WindowsVersion().release().major >= 6;
    EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, vistaOrLater);
    EXPECT_TRUE(::IsWindowEnabled(box));
    EXPECT_EQ(textOf(box), L"إظهار الصورة على أيقونة المجلد");
    EXPECT_TRUE(::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_RTLREADING);
    RECT placed{};
    ::GetWindowRect(box, &placed);
    EXPECT_EQ(placed.right - placed.left, ::MulDiv(3495, static_cast<int>(dpi_), 1440));
    ::Sleep(500);  // the first paint
    // On XP's paths the box starts unchecked: a picture of its own.
    saveScreenshot(win32::toWide(showcaseFolder()) + L"icon-box-" + std::to_wstring(dpi_) +
                   (vistaOrLater ? L"dpi.png" : L"dpi-xp.png"));

    const std::wstring folder = win32::toWide(freshFolder(u"window-own-icon"));
    {
        win32::UniqueFile file(::CreateFileW((folder + L"Desktop.ini").c_str(), GENERIC_WRITE, 0,
                                             nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const char text[] = "[.ShellClassInfo]\r\nIconResource=C:\\mine.ico,0\r\n";
        DWORD written = 0;
        ::WriteFile(file.get(), text, sizeof(text) - 1, &written, nullptr);
    }
    HWND fold = editBoxes(window_).at(0);
    ::SendMessageW(fold, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    EXPECT_TRUE(waitFor([&] { return !::IsWindowEnabled(box); }));
    EXPECT_NE(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// The preview shows the large picture: orange where the window is dark.
bool showsLargePicture(HWND window, UINT dpi) {
    auto pixels = [&](int twips) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); };
    const COLORREF colour = clientPixel(window, pixels(1530 + 1800), pixels(1250 + 1600));
    return GetRValue(colour) > 180 && GetBValue(colour) < 110;
}

// The decode of a photograph takes Wine a second or more, longer on a loaded
// machine. The window must go on answering meanwhile: many probes, each
// within 100 ms, must come back while the preview is still empty. With the
// decode on the window's thread none could, however fast the machine.
TEST_F(ProgramWindow, AnswersWhileALargePictureDecodesThenShowsIt) {
    ::SetForegroundWindow(window_);
    auto boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 3u);
    ASSERT_FALSE(showsLargePicture(window_, dpi_));
    const std::wstring picture = win32::toWide(largePicture());
    ::SendMessageW(boxes[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));

    int answeredWhileDecoding = 0;
    bool shown = false;
    const DWORD start = ::GetTickCount();
    while (!(shown = showsLargePicture(window_, dpi_)) && ::GetTickCount() - start < 60000) {
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) &&
            !showsLargePicture(window_, dpi_)) {
            ++answeredWhileDecoding;
        }
        ::Sleep(10);
    }
    EXPECT_TRUE(shown) << "the preview never showed the picture";
    EXPECT_GE(answeredWhileDecoding, 5);
}

TEST_F(ProgramWindow, EndsWhenClosedWhileAPictureDecodes) {
    auto boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 3u);
    const std::wstring picture = win32::toWide(largePicture());
    ::SendMessageW(boxes[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
    ::PostMessageW(std::exchange(window_, nullptr), WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(program_->process(), 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(program_->process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace

// Any program on the same desktop can send the window messages. Those that
// once carried a pointer to write through, or pressed a command, must now
// do neither: the program keeps running and opens nothing.
TEST_F(ProgramWindow, MessagesFromAnotherProgramCannotWriteOrPress) {
    std::vector<HWND> targets{window_};
    ::EnumChildWindows(
        window_,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&targets));
    const LPARAM bogus[] = {0x10, static_cast<LPARAM>(0x7FFF0000DEA0), -1};
    for (const wchar_t* name :
         {L"FolderBackground.LocateControl", L"FolderBackground.DescribeControl",
          L"FolderBackground.PressControl"}) {
        const UINT message = ::RegisterWindowMessageW(name);
        for (HWND target : targets) {
            for (LPARAM pointer : bogus) {
                for (HWND about : targets) {
                    DWORD_PTR result = 0;
                    ::SendMessageTimeoutW(target, message, reinterpret_cast<WPARAM>(about), pointer,
                                          SMTO_ABORTIFHUNG, 2000, &result);
                    ::PostMessageW(target, message, reinterpret_cast<WPARAM>(about), pointer);
                }
            }
        }
    }
    // Everything posted before this has been handled once it returns.
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, patience, &result));
    EXPECT_EQ(::WaitForSingleObject(program_->process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(messageBoxOf(window_), nullptr) << "a press from another program opened a dialog";
}
