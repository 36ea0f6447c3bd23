#pragma once

#include <wincodec.h>
#include <windows.h>

#include <string>

#include "platform/win32/com_ptr.h"
#include "platform/win32/decoded_bitmap.h"

namespace win32 {

// Null where WIC is missing.
ComPtr<IWICImagingFactory> createImagingFactory();

// The first frame of a BMP, JPEG or GIF file, named as the system takes it
// (longPath); null when the file is missing or holds no such picture.
ComPtr<IWICBitmapSource> openPictureFile(IWICImagingFactory& factory, const std::wstring& file);

// The source decoded at a reduced size no smaller than width x height, where
// its decoder can scale while decoding (JPEG); the source itself otherwise.
// Never holds the full-size picture in memory when it can avoid it.
ComPtr<IWICBitmapSource> decodeReduced(IWICImagingFactory& factory, IWICBitmapSource& source,
                                       int width, int height);

// Scales the source to width x height (its own size when either is 0) and
// converts it into a DIB, a band of rows at a time; an empty result on
// failure or when `stop` says so between two bands.
DecodedBitmap toBitmap(IWICImagingFactory& factory, IWICBitmapSource& source, int width = 0,
                       int height = 0, const StopRequested& stop = {});

}  // namespace win32
