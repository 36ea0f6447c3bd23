#pragma once

// The folder that apply_bench and apply_profile apply to over and over.
#include <windows.h>

#include <string>

#include "customisation/apply.h"
#include "platform/win32/wide_text.h"

namespace bench {

// An Arabic picture path, as the program's users write.
inline const customisation::Customisation appliedCustomisation{u"C:\\صور\\خلفية.jpg", u"16777215"};

// Makes `folder` and applies the customisation once, so that every timed
// apply after it replaces an existing hidden file, as a second apply to a
// folder does. Empty when that first apply fails.
inline std::u16string appliedFolder(const std::wstring& folder, customisation::Disk& disk) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::u16string target = win32::fromWide(folder);
    if (!customisation::applyCustomisation(disk, target, appliedCustomisation)) return {};
    return target;
}

}  // namespace bench
