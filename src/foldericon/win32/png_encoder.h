#pragma once

#include <wincodec.h>

#include <optional>
#include <string>

#include "foldericon/image.h"

namespace win32 {

// The image as a PNG file's bytes, through WIC's encoder; nothing when it
// fails.
std::optional<std::string> encodePng(IWICImagingFactory& factory, const foldericon::Image& image);

}  // namespace win32
