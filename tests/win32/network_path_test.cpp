// Telling a folder on another machine without asking that machine, and the
// timer that waits for the typing to pause.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/file_store.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/pause_timer.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "running_program.h"

namespace {

TEST(NetworkPath, AServersNameIsToldWithoutAskingAnything) {
    struct Case {
        std::u16string path;
        bool onNetwork;
        std::optional<std::wstring> rootAsked;  // nothing: no drive is asked about
    };
    const Case cases[] = {
        {u"\\\\f", true, std::nullopt},
        {u"\\\\fileserver\\share\\Desktop.ini", true, std::nullopt},
        {u"\\\\?\\UNC\\fileserver\\share\\Desktop.ini", true, std::nullopt},
        {u"//fileserver/share/Desktop.ini", true, std::nullopt},
        {u"\\\\?\\N:\\Desktop.ini", true, L"N:\\"},
        {u"N:\\share\\Desktop.ini", true, L"N:\\"},
        {u"C:\\Data\\Desktop.ini", false, L"C:\\"},
    };
    for (const auto& c : cases) {
        std::optional<std::wstring> asked;
        const bool onNetwork = win32::isOnNetwork(c.path, [&](const wchar_t* root) -> UINT {
            asked = root;
            return root[0] == L'N' ? DRIVE_REMOTE : DRIVE_FIXED;
        });
        EXPECT_EQ(onNetwork, c.onNetwork) << c.path.size();
        EXPECT_EQ(asked, c.rootAsked) << c.path.size();
    }
}

TEST(NetworkPath, ARelativePathIsWhereTheCurrentFolderIs) {
    wchar_t current[MAX_PATH] = {};
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\"));
    EXPECT_FALSE(win32::NetworkPaths().isOnNetwork(u"Desktop.ini"));
    EXPECT_TRUE(win32::NetworkPaths().isOnNetwork(u"\\\\fileserver\\share\\Desktop.ini"));
    ::SetCurrentDirectoryW(current);
}

// On a share the look before a replace goes through an open handle, never by
// name alone: a redirector may answer a look by name from what it saw some
// seconds ago. Here the share's Desktop.ini is a Unix symbolic link (made by
// prepare_network_share.py) to a file of the very stamp expected, which the
// look by name takes for the plain file read; only the look through a handle
// sees where it leads.
TEST(NetworkPath, TheLookBeforeAReplaceOnAShareGoesThroughAHandle) {
    const std::u16string folder = u"\\\\127.0.0.1\\share\\link\\";
    const std::u16string target = u"\\\\127.0.0.1\\share\\link-target.ini";
    win32::FileStore files;
    const auto read = files.read(target, 1 << 16);
    if (read.status != platform::ReadStatus::ok) {
        GTEST_SKIP() << "the link is made by the prepare_network_share test";
    }
    const std::u16string temporary = folder + u"Desktop.ini.~1.tmp";
    ::DeleteFileW(win32::wide(temporary));
    {
        auto made = files.createNew(temporary);
        ASSERT_TRUE(made);
        ASSERT_TRUE(made->write("[.ShellClassInfo]\r\n"));
    }
    const auto replaced = files.replace(temporary, folder + u"Desktop.ini", read.stamp, u"");
    EXPECT_EQ(replaced.status, platform::ReplaceStatus::failed);
    EXPECT_EQ(files.read(target, 1 << 16).bytes, read.bytes);
    ::DeleteFileW(win32::wide(temporary));
}

// Handles the window's messages for `milliseconds`, handing timer messages on.
void pump(HWND window, win32::PauseTimer& timer, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        MSG message{};
        while (::PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER && message.wParam == 7) timer.elapsed();
        }
        ::Sleep(10);
    }
}

TEST(PauseTimer, RunsTheNewestActionOnceAfterThePause) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(window);
    win32::PauseTimer timer;
    timer.attach(window, 7);
    std::wstring ran;
    timer.runAfter(std::chrono::milliseconds(200), [&] { ran += L"first "; });
    pump(window, timer, 100);
    timer.runAfter(std::chrono::milliseconds(200), [&] { ran += L"second "; });
    pump(window, timer, 100);
    EXPECT_EQ(ran, L"");
    pump(window, timer, 400);
    EXPECT_EQ(ran, L"second ");

    timer.runAfter(std::chrono::milliseconds(50), [&] { ran += L"cancelled "; });
    timer.cancel();
    pump(window, timer, 200);
    EXPECT_EQ(ran, L"second ");
    timer.detach();
    ::DestroyWindow(window);
}

// Asked of the box itself: another program's box gives no text otherwise.
std::wstring boxText(HWND box) {
    wchar_t text[512] = {};
    const auto length =
        static_cast<int>(::SendMessageW(box, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text)));
    return {text, static_cast<std::size_t>(length > 0 ? length : 0)};
}

// The real program on the share that prepare_network_share.py serves: the
// folder box holding a share's folder is read once it has stood still, and
// not while the person might still be typing.
class ProgramOnShare : public ProgramTest {
  protected:
    void TearDown() override {
        if (program_ && !program_->close()) {
            ADD_FAILURE() << "the program did not end when its window was closed";
        }
    }
};

TEST_F(ProgramOnShare, ReadsAShareOnlyAfterThePause) {
    const std::wstring folder = L"\\\\127.0.0.1\\share\\pause\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    {
        win32::UniqueFile file(::CreateFileW((folder + L"Desktop.ini").c_str(), GENERIC_WRITE, 0,
                                             nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
        ASSERT_TRUE(file);
        const char text[] =
            "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\nIconArea_Image=C:\\Pictures\\Sky.jpg\r\n";
        DWORD written = 0;
        ::WriteFile(file.get(), text, sizeof(text) - 1, &written, nullptr);
    }
    auto boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 2u);
    HWND fold = boxes[0], img = boxes[1];
    const DWORD start = ::GetTickCount();
    ::SendMessageW(fold, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    // Well inside the pause; a slower machine only makes the read later.
    waitFor([] { return false; }, 200);
    if (::GetTickCount() - start < 400) {
        EXPECT_EQ(boxText(img), L"");
    }
    EXPECT_TRUE(waitFor([&] { return boxText(img) == L"C:\\Pictures\\Sky.jpg"; }));
}

}  // namespace
