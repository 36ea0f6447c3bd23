#pragma once

#include <functional>
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

// The size to draw a picture at, given its own size in pixels.
using SizeForPicture = std::function<SIZE(SIZE own)>;

// As above, at the size `sizeFor` picks once the picture's own size is known
// (to keep its aspect without drawing it at full size first).
DecodedBitmap loadOlePicture(const std::wstring& file, const SizeForPicture& sizeFor,
                             const StopRequested& stop = {});

}  // namespace win32
