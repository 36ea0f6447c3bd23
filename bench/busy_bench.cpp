// How long FolderBackground's window stops answering while a large picture
// is chosen and while a path is typed, how long until the preview is on
// screen, and how long closing takes with a decode under way.
//
// A second thread probes the window every 10 ms with a message it must
// answer (WM_NULL through SendMessageTimeout); a probe's round trip is the
// time the window's thread was busy with something else, so the longest
// round trip is the longest freeze a person would feel.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "launch.h"
#include "prober.h"
#include "window_probe.h"

namespace {

void setText(HWND box, const std::wstring& text) {
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

struct Run {
    double chooseBusy = 0;     // the picture box set to the photograph
    double choosePainted = 0;  // from setting the box until the preview showed it
    double typingBusy = 0;     // the last characters of its path typed
    double closing = 0;        // from WM_CLOSE during its decode until the process ended
};

bool measure(const std::wstring& program, const wchar_t* className, const std::wstring& picture,
             Run& run) {
    constexpr double patience = 60;
    {
        bench::Launched launched;
        if (!bench::launch(program, className, launched)) return false;
        bench::waitUntilIdle(launched);
        HWND box = bench::pictureBox(launched.window);
        const bench::PreviewPixels preview(launched.window);
        const auto empty = preview.read();
        bench::Prober prober(launched.window);
        const double start = bench::nowSeconds();
        setText(box, picture);
        const bool painted = box && preview.waitForOther({empty}, patience);
        run.choosePainted = (bench::nowSeconds() - start) * 1000;
        run.chooseBusy = prober.stop();
        bench::closeAndWait(launched);
        if (!painted) return false;
    }
    {
        // Typed at 20 characters a second; only the last names a picture.
        constexpr std::size_t typed = 20;
        bench::Launched launched;
        if (!bench::launch(program, className, launched)) return false;
        HWND box = bench::pictureBox(launched.window);
        setText(box, picture.substr(0, picture.size() - typed));
        ::SendMessageW(box, EM_SETSEL, picture.size(), picture.size());
        bench::waitUntilIdle(launched);
        const bench::PreviewPixels preview(launched.window);
        const auto empty = preview.read();
        bench::Prober prober(launched.window);
        for (std::size_t i = picture.size() - typed; i < picture.size(); ++i) {
            ::PostMessageW(box, WM_CHAR, picture[i], 1);
            ::Sleep(50);
        }
        const bool painted = preview.waitForOther({empty}, patience);
        run.typingBusy = prober.stop();
        bench::closeAndWait(launched);
        if (!painted) return false;
    }
    {
        bench::Launched launched;
        if (!bench::launch(program, className, launched)) return false;
        bench::waitUntilIdle(launched);
        setText(bench::pictureBox(launched.window), picture);
        const double start = bench::nowSeconds();
        ::PostMessageW(launched.window, WM_CLOSE, 0, 0);
        const bool ended = ::WaitForSingleObject(launched.process.get(), 30000) == 0;
        run.closing = (bench::nowSeconds() - start) * 1000;
        if (!ended) {
            bench::abandon(launched);
            return false;
        }
        launched.thread.reset();
        launched.process.reset();
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: busy_bench PROGRAM CLASS PICTURE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 5;
    std::vector<double> chooseBusy, choosePainted, typingBusy, closing;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!measure(argv[1], argv[2], argv[3], run)) {
            std::fprintf(stderr, "busy_bench: the preview never showed %ls\n", argv[3]);
            return 1;
        }
        chooseBusy.push_back(run.chooseBusy);
        choosePainted.push_back(run.choosePainted);
        typingBusy.push_back(run.typingBusy);
        closing.push_back(run.closing);
    }
    auto worst = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("busy_runs %d\n", runs);
    std::printf("busy_choosing_ms_median %.1f\n", bench::median(chooseBusy));
    std::printf("busy_choosing_ms_worst %.1f\n", worst(chooseBusy));
    std::printf("busy_typing_ms_median %.1f\n", bench::median(typingBusy));
    std::printf("busy_typing_ms_worst %.1f\n", worst(typingBusy));
    std::printf("preview_painted_ms_median %.1f\n", bench::median(choosePainted));
    std::printf("closing_while_decoding_ms_median %.1f\n", bench::median(closing));
    return 0;
}
