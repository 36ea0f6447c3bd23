// Peak working set of FolderBackground with its window open and a large
// picture in the preview, against the bare window's, and the working set
// once a small picture has replaced it. The pictures are put into the
// picture box through the box itself, so the window loads them exactly as
// it does for a user.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "launch.h"
#include "window_probe.h"

namespace {

// Read from outside, as a task manager would.
PROCESS_MEMORY_COUNTERS memoryOf(DWORD processId) {
    PROCESS_MEMORY_COUNTERS counters{};
    const win32::UniqueHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return counters;
    if (!::GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) counters = {};
    return counters;
}

SIZE_T peakWorkingSet(DWORD processId) { return memoryOf(processId).PeakWorkingSetSize; }

struct Sample {
    SIZE_T openPeak = 0;
    SIZE_T picturePeak = 0;
    // The working set once a small picture has replaced the large one.
    SIZE_T afterSmall = 0;
};

bool measureOurs(const std::wstring& program, const wchar_t* className, const std::wstring& picture,
                 const std::wstring& small, Sample& sample) {
    bench::Launched launched;
    if (!bench::launch(program, className, launched)) return false;
    bench::waitUntilIdle(launched);
    sample.openPeak = peakWorkingSet(launched.processId);

    HWND box = bench::pictureBox(launched.window);
    bool ok = box != nullptr;
    if (ok) {
        // Typed into the box as a person would; the preview shows it once
        // the window's worker has decoded it.
        const bench::PreviewPixels preview(launched.window);
        const auto empty = preview.read();
        ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
        ok = preview.waitForOther({empty}, 60);
        bench::waitUntilIdle(launched);
        sample.picturePeak = peakWorkingSet(launched.processId);

        const auto large = preview.read();
        ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(small.c_str()));
        ok = ok && preview.waitForOther({empty, large}, 60);
        bench::waitUntilIdle(launched);
        sample.afterSmall = memoryOf(launched.processId).WorkingSetSize;
    }
    bench::closeAndWait(launched);
    return ok && sample.picturePeak != 0;
}

double mebibytes(SIZE_T bytes) { return static_cast<double>(bytes) / 1048576.0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: memory_bench PROGRAM CLASS PICTURE SMALL_PICTURE BASELINE_PROGRAM "
                     "BASELINE_CLASS [RUNS]\n");
        return 2;
    }
    const int runs = argc > 7 ? std::max(1, _wtoi(argv[7])) : 3;

    std::vector<double> open, withPicture, afterSmall, bare;
    for (int run = 0; run < runs; ++run) {
        Sample sample;
        if (!measureOurs(argv[1], argv[2], argv[3], argv[4], sample)) {
            std::fprintf(stderr, "memory_bench: could not show the picture in %ls\n", argv[1]);
            return 1;
        }
        open.push_back(mebibytes(sample.openPeak));
        withPicture.push_back(mebibytes(sample.picturePeak));
        afterSmall.push_back(mebibytes(sample.afterSmall));

        bench::Launched launched;
        if (!bench::launch(argv[5], argv[6], launched)) {
            std::fprintf(stderr, "memory_bench: %ls did not show its window\n", argv[5]);
            return 1;
        }
        bench::waitUntilIdle(launched);
        bare.push_back(mebibytes(peakWorkingSet(launched.processId)));
        bench::closeAndWait(launched);
    }

    const double ours = bench::median(withPicture);
    const double floor = bench::median(bare);
    std::printf("memory_runs %d\n", runs);
    std::printf("peak_working_set_window_open_mib %.1f\n", bench::median(open));
    std::printf("peak_working_set_with_picture_mib %.1f\n", ours);
    std::printf("peak_working_set_bare_window_mib %.1f\n", floor);
    std::printf("ratio_peak_working_set_to_bare_window %.2f\n", ours / floor);
    std::printf("working_set_after_small_picture_mib %.1f\n", bench::median(afterSmall));
    return 0;
}
