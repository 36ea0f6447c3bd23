// Time from starting a program to the end of its window's first paint, for
// FolderBackground and for the bare window, runs of the two interleaved so
// that any drift of the machine touches both alike.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "launch.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 5 || argc == 7) {
        std::fprintf(stderr,
                     "usage: startup_bench PROGRAM CLASS BASELINE_PROGRAM BASELINE_CLASS [RUNS "
                     "[BOX_PROGRAM BOX_CLASS]]\n");
        return 2;
    }
    const int runs = argc > 5 ? std::max(1, _wtoi(argv[5])) : 15;
    struct Subject {
        std::wstring program;
        const wchar_t* className;
        std::vector<double> milliseconds;
    };
    // A third, when given: the bare window with one themed edit box, which
    // tells how much of the difference loading the common controls takes.
    std::vector<Subject> subjects = {{argv[1], argv[2], {}}, {argv[3], argv[4], {}}};
    if (argc > 7) subjects.push_back({argv[6], argv[7], {}});

    // One start of each first, not counted: it pays for reading the files
    // from disk, which no later start does.
    for (int run = -1; run < runs; ++run) {
        for (Subject& subject : subjects) {
            bench::Launched launched;
            if (!bench::launch(subject.program, subject.className, launched)) {
                std::fprintf(stderr, "startup_bench: %ls did not show its window\n",
                             subject.program.c_str());
                return 1;
            }
            bench::closeAndWait(launched);
            if (run >= 0) subject.milliseconds.push_back(launched.seconds * 1000);
        }
    }

    const double ours = bench::median(subjects[0].milliseconds);
    const double bare = bench::median(subjects[1].milliseconds);
    // On a machine shared with other work the fastest start of each is the
    // one least disturbed: a second view of the same ratio.
    const double oursFastest =
        *std::min_element(subjects[0].milliseconds.begin(), subjects[0].milliseconds.end());
    const double bareFastest =
        *std::min_element(subjects[1].milliseconds.begin(), subjects[1].milliseconds.end());
    std::printf("startup_runs %d\n", runs);
    std::printf("startup_ms_median %.1f\n", ours);
    std::printf("startup_bare_window_ms_median %.1f\n", bare);
    std::printf("ratio_startup_to_bare_window %.2f\n", ours / bare);
    std::printf("startup_ms_fastest %.1f\n", oursFastest);
    std::printf("startup_bare_window_ms_fastest %.1f\n", bareFastest);
    std::printf("ratio_startup_fastest_to_bare_window %.2f\n", oursFastest / bareFastest);
    if (subjects.size() > 2) {
        const double box = bench::median(subjects[2].milliseconds);
        std::printf("startup_bare_window_with_box_ms_median %.1f\n", box);
        std::printf("ratio_bare_window_with_box_to_bare_window %.2f\n", box / bare);
        std::printf("ratio_startup_to_bare_window_with_box %.2f\n", ours / box);
    }
    return 0;
}
