#pragma once

#include <string>

#include "platform/win32/decoded_bitmap.h"

namespace win32 {

// The picture in a BMP, JPEG or GIF file, named as the system takes it
// (longPath), through OLE's own picture loading, which every Windows has,
// for where WIC is missing (Windows XP as it ships): drawn at width x height
// into a premultiplied DIB, a GIF's transparent colour left transparent.
// Empty when the file is missing, is none of those three, or `stop` ended
// the work.
DecodedBitmap loadOlePicture(const std::wstring& file, int width, int height,
                             const StopRequested& stop = {});

}  // namespace win32
