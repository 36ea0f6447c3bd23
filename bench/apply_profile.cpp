// Where an apply's time goes: the same repeated apply as apply_bench, with
// every file-system call timed on its way to the real Win32 file system.
// Prints, per call, how often one apply makes it and its time per apply.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "applied_folder.h"
#include "customisation/apply.h"
#include "figures.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/wide_text.h"
#include "scratch.h"
#include "timed_disk.h"

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 300;

    bench::ScratchFolder scratch(L"FolderBackground-apply-profile");
    const std::wstring folder = scratch.path() + L"\\folder";

    bench::Timings timings;
    win32::FileStore realFiles;
    win32::FileAttributes realAttributes;
    win32::AnsiCodePage codePage;
    bench::TimedFiles files(realFiles, timings);
    bench::TimedAttributes attributes(realAttributes, timings);
    customisation::Disk disk{files, attributes, codePage};
    const std::u16string target = bench::appliedFolder(folder, disk);
    if (target.empty()) {
        std::fprintf(stderr, "apply_profile: the customisation was not applied\n");
        return 1;
    }
    timings.clear();
    std::vector<double> applied;
    for (int run = 0; run < runs; ++run) {
        const double start = bench::nowSeconds();
        if (!customisation::applyCustomisation(disk, target, bench::appliedCustomisation)) {
            std::fprintf(stderr, "apply_profile: an apply failed\n");
            return 1;
        }
        applied.push_back((bench::nowSeconds() - start) * 1e6);
    }

    // A call made twice per apply counts twice its median.
    std::printf("apply_profile_us_median %.1f\n", bench::median(applied));
    double calls = 0;
    for (const auto& [call, spent] : timings) {
        const double perApply = static_cast<double>(spent.size()) / runs;
        const double time = perApply * bench::median(spent);
        calls += time;
        std::printf("apply_profile_%s_calls %.0f\n", call.c_str(), perApply);
        std::printf("apply_profile_%s_us %.1f\n", call.c_str(), time);
    }
    // What the core does between the calls: parsing, merging, encoding.
    std::printf("apply_profile_between_calls_us %.1f\n",
                std::max(0.0, bench::median(applied) - calls));
    return 0;
}
