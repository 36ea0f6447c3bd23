#pragma once

// What every benchmark here shares: one clock and the median.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// QueryPerformanceCounter: the finest clock Windows has, and the one a
// Windows user would time with.
inline double nowSeconds() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// The median rather than the mean: a run that the scheduler or Wine's
// server happened to delay must not move the figure.
inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 != 0) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

}  // namespace bench
