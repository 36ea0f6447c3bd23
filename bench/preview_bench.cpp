// Time and peak memory to decode a picture for the preview, as the window's
// worker does: through WIC straight to the preview's size.
#include <windows.h>

#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/long_path.h"
#include "platform/win32/picture_decoder.h"
#include "platform/win32/wic_transform.h"
#include "platform/win32/wide_text.h"

namespace {

// The preview's size in pixels at 96 dpi.
constexpr int previewWidth = 188;
constexpr int previewHeight = 174;

bool decoderScales(const std::u16string& path) {
    auto factory = win32::createImagingFactory();
    auto source = factory ? win32::openPictureFile(*factory.Get(), win32::longPath(path)) : nullptr;
    win32::ComPtr<IWICBitmapSourceTransform> transform;
    return source && SUCCEEDED(source.As(&transform));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_bench PICTURE [REPETITIONS]\n");
        return 2;
    }
    const std::u16string path = win32::fromWide(argv[1]);
    const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    PROCESS_MEMORY_COUNTERS before{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof(before));

    std::vector<double> milliseconds;
    for (int i = 0; i < repetitions; ++i) {
        // A new decoder each time: a decoder keeps the last picture it made.
        win32::PictureDecoder decoder;
        auto start = std::chrono::steady_clock::now();
        auto picture = decoder.decode(path, previewWidth, previewHeight);
        auto stop = std::chrono::steady_clock::now();
        if (!picture || !*picture) {
            std::fprintf(stderr, "the picture did not load\n");
            return 1;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());

    PROCESS_MEMORY_COUNTERS after{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof(after));
    std::printf("preview_ms_median %.1f\n", milliseconds[milliseconds.size() / 2]);
    std::printf("preview_ms_min %.1f\n", milliseconds.front());
    std::printf("peak_working_set_mib %.1f\n", after.PeakWorkingSetSize / 1048576.0);
    std::printf("peak_working_set_growth_mib %.1f\n",
                (after.PeakWorkingSetSize - before.WorkingSetSize) / 1048576.0);
    std::printf("decoder_scales_while_decoding %s\n", decoderScales(path) ? "yes" : "no");
    ::CoUninitialize();
    return 0;
}
