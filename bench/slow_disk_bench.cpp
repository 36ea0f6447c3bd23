// The longest time the window's thread does not answer while the folder box
// is typed into, and while applying, when every disk operation takes two
// seconds. A second thread probes a window of the model's thread every
// 10 ms, as busy_bench probes the program.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "idle_services.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/background_work.h"
#include "platform/win32/wide_text.h"
#include "prober.h"
#include "scratch.h"
#include "slow_disk.h"

namespace {

using mainwindow::ControlId;

constexpr DWORD diskDelay = 2000;
constexpr UINT workFinished = WM_APP + 1;

// The window's message loop for `seconds`, or until `done` says so.
template <typename Done>
void pump(HWND window, win32::BackgroundWork& work, double seconds, Done done) {
    const double start = bench::nowSeconds();
    while (!done() && bench::nowSeconds() - start < seconds) {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == window && message.message == workFinished) {
                work.runFinished();
            } else {
                ::DispatchMessageW(&message);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Records the messages the commands show instead of showing them.
struct Messages : platform::MessageDialog {
    void show(std::u16string_view text, std::u16string_view) override { shown.emplace_back(text); }
    std::vector<std::u16string> shown;
};

struct Run {
    double typing = 0;
    double applying = 0;
};

bool measure(const std::wstring& folder, Run& run) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    bench::SlowFiles files(diskDelay);
    bench::SlowAttributes attributes(diskDelay);
    win32::AnsiCodePage codePage;
    win32::BackgroundWork work;
    work.attach(window, workFinished);
    bench::Idle idle;
    Messages messages;
    mainwindow::Form1 form(idle.services({files, attributes, codePage}, messages, work), idle);
    const std::u16string path = win32::fromWide(folder + L"\\");
    {
        // Typed at 20 characters a second: a read of the folder's file for
        // each, each one taking two seconds.
        bench::Prober prober(window);
        for (std::size_t length = path.size() - 20; length <= path.size(); ++length) {
            form.textEdited(ControlId::fold, path.substr(0, length));
            pump(window, work, 0.05, [] { return false; });
        }
        run.typing = prober.stop();
    }
    form.textEdited(ControlId::img, u"C:\\picture.jpg");
    form.textEdited(ControlId::color, u"255");
    {
        bench::Prober prober(window);
        form.Image5_Click();
        pump(window, work, 60, [&] { return !messages.shown.empty(); });
        run.applying = prober.stop();
    }
    // The last read may still be under way: it ends on its own.
    work.detach();
    ::DestroyWindow(window);
    return !messages.shown.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    std::vector<double> typing, applying;
    for (int i = 0; i < runs; ++i) {
        bench::ScratchFolder scratch(L"slow-disk-bench");
        const std::wstring folder = scratch.path() + L"\\a folder with a long enough name";
        ::CreateDirectoryW(folder.c_str(), nullptr);
        Run run;
        if (!measure(folder, run)) {
            std::fprintf(stderr, "slow_disk_bench: apply never finished\n");
            return 1;
        }
        typing.push_back(run.typing);
        applying.push_back(run.applying);
    }
    auto worst = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("slow_disk_runs %d\n", runs);
    std::printf("slow_disk_delay_ms %lu\n", static_cast<unsigned long>(diskDelay));
    std::printf("slow_disk_typing_busy_ms_worst %.1f\n", worst(typing));
    std::printf("slow_disk_applying_busy_ms_worst %.1f\n", worst(applying));
    return 0;
}
