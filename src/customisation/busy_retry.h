#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/file_store.h"

namespace customisation {

// Explorer, the search indexer and virus scanners hold a folder's
// Desktop.ini, or a file just written beside it, open for moments.
inline bool isBusy(platform::SystemError error) {
    return error == platform::error::sharingViolation || error == platform::error::lockViolation;
}

// How long a busy file is waited for before the failure stands.
inline constexpr std::uint32_t busyPatienceMs = 2000;

// Runs `operation` again, waiting a little longer each time, while it fails
// only because another program holds the file, and for about two seconds
// at most. Any other outcome is returned at once.
template <typename Operation, typename Busy>
auto retryWhileBusy(platform::FileStore& files, Operation operation, Busy busy) {
    auto result = operation();
    std::uint32_t waited = 0;
    std::uint32_t step = 16;
    while (busy(result) && waited < busyPatienceMs) {
        files.pause(step);
        waited += step;
        step = std::min<std::uint32_t>(step * 2, 256);
        result = operation();
    }
    return result;
}

template <typename Operation>
auto retryWhileBusy(platform::FileStore& files, Operation operation) {
    return retryWhileBusy(files, operation,
                          [](const auto& result) { return isBusy(result.error); });
}

}  // namespace customisation
