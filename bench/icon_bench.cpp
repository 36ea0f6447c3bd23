// Time to make the folder icon from a photograph, as the command line does
// for its first folder (a fresh maker) and for every later one (the same
// unchanged file, answered from the last icon).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "figures.h"
#include "foldericon/win32/folder_icon_maker.h"
#include "platform/win32/wide_text.h"

namespace {

struct Timing {
    double firstMs = 0;
    double againUs = 0;
    std::size_t bytes = 0;
};

// Medians over `repetitions` fresh makers; false when no icon came out.
bool measure(const std::u16string& picture, int repetitions, Timing& timing) {
    std::vector<double> first, again;
    for (int i = 0; i < repetitions; ++i) {
        win32::FolderIconMaker maker;
        double start = bench::nowSeconds();
        const auto icon = maker.makeIcon(picture);
        first.push_back((bench::nowSeconds() - start) * 1e3);
        if (!icon) return false;
        timing.bytes = icon->size();
        start = bench::nowSeconds();
        const auto repeated = maker.makeIcon(picture);
        again.push_back((bench::nowSeconds() - start) * 1e6);
        if (repeated != icon) return false;
    }
    timing.firstMs = bench::median(first);
    timing.againUs = bench::median(again);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_bench PHOTO_24MP PHOTO_1000PX [REPETITIONS]\n");
        return 2;
    }
    const int repetitions = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
    const struct {
        const wchar_t* path;
        const char* name;
    } photos[] = {{argv[1], "24mp"}, {argv[2], "1000px"}};
    std::printf("icon_repetitions %d\n", repetitions);
    for (const auto& photo : photos) {
        Timing timing;
        if (!measure(win32::fromWide(photo.path), repetitions, timing)) {
            std::fprintf(stderr, "no icon from %ls\n", photo.path);
            return 1;
        }
        std::printf("icon_%s_ms_median %.1f\n", photo.name, timing.firstMs);
        std::printf("icon_%s_again_us_median %.1f\n", photo.name, timing.againUs);
        std::printf("icon_%s_bytes %zu\n", photo.name, timing.bytes);
    }
    return 0;
}
