// Peak working set of FolderBackground with its window open and a large
// picture in the preview, against the bare window's. The picture is typed
// into the picture box through the box itself, so the window loads it
// exactly as it does for a user.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "launch.h"

namespace {

// Read from outside, as a task manager would.
SIZE_T peakWorkingSet(DWORD processId) {
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    SIZE_T peak = 0;
    if (::GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
        peak = counters.PeakWorkingSetSize;
    }
    ::CloseHandle(process);
    return peak;
}

// The n-th child edit box in creation order (children are kept in the order
// they were created, the first at the top).
HWND editBox(HWND window, int n) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16]{};
        ::GetClassNameW(child, name, 16);
        if (::lstrcmpiW(name, L"Edit") == 0 && n-- == 0) return child;
    }
    return nullptr;
}

void waitUntilIdle(const bench::Launched& launched) {
    // A message sent to the window returns only once everything before it
    // in its queue has been handled.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(launched.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    ::WaitForInputIdle(launched.process.hProcess, 60000);
}

struct Sample {
    SIZE_T openPeak = 0;
    SIZE_T picturePeak = 0;
    double previewMilliseconds = 0;
};

bool measureOurs(const std::wstring& program, const wchar_t* className, const std::wstring& picture,
                 Sample& sample) {
    bench::Launched launched;
    if (!bench::launch(program, className, launched)) return false;
    waitUntilIdle(launched);
    sample.openPeak = peakWorkingSet(launched.process.dwProcessId);

    HWND box = editBox(launched.window, 1);
    bool ok = box != nullptr;
    if (ok) {
        // The box tells the window at once, and the window decodes the
        // picture before the message returns: this is how long it is blocked.
        const double start = bench::nowSeconds();
        ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
        sample.previewMilliseconds = (bench::nowSeconds() - start) * 1000;
        waitUntilIdle(launched);
        sample.picturePeak = peakWorkingSet(launched.process.dwProcessId);
    }
    bench::closeAndWait(launched);
    return ok && sample.picturePeak != 0;
}

double mebibytes(SIZE_T bytes) { return static_cast<double>(bytes) / 1048576.0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::fprintf(
            stderr,
            "usage: memory_bench PROGRAM CLASS PICTURE BASELINE_PROGRAM BASELINE_CLASS [RUNS]\n");
        return 2;
    }
    const int runs = argc > 6 ? std::max(1, _wtoi(argv[6])) : 3;

    std::vector<double> open, withPicture, preview, bare;
    for (int run = 0; run < runs; ++run) {
        Sample sample;
        if (!measureOurs(argv[1], argv[2], argv[3], sample)) {
            std::fprintf(stderr, "memory_bench: could not show the picture in %ls\n", argv[1]);
            return 1;
        }
        open.push_back(mebibytes(sample.openPeak));
        withPicture.push_back(mebibytes(sample.picturePeak));
        preview.push_back(sample.previewMilliseconds);

        bench::Launched launched;
        if (!bench::launch(argv[4], argv[5], launched)) {
            std::fprintf(stderr, "memory_bench: %ls did not show its window\n", argv[4]);
            return 1;
        }
        waitUntilIdle(launched);
        bare.push_back(mebibytes(peakWorkingSet(launched.process.dwProcessId)));
        bench::closeAndWait(launched);
    }

    const double ours = bench::median(withPicture);
    const double floor = bench::median(bare);
    std::printf("memory_runs %d\n", runs);
    std::printf("peak_working_set_window_open_mib %.1f\n", bench::median(open));
    std::printf("peak_working_set_with_picture_mib %.1f\n", ours);
    std::printf("peak_working_set_bare_window_mib %.1f\n", floor);
    std::printf("ratio_peak_working_set_to_bare_window %.2f\n", ours / floor);
    std::printf("preview_in_window_ms_median %.1f\n", bench::median(preview));
    return 0;
}
