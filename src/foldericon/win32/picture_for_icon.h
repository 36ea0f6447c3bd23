#pragma once

#include <wincodec.h>
#include <windows.h>

#include <optional>
#include <string>

#include "foldericon/image.h"

namespace win32 {

// The picture in a BMP, JPEG or GIF file, named as the system takes it
// (longPath), decoded once at the size the largest icon needs
// (foldericon::decodeSizeFor): through WIC when `factory` is given, through
// OLE's picture loading otherwise. Nothing when the file is missing or holds
// no such picture.
std::optional<foldericon::Image> decodePictureForIcon(IWICImagingFactory* factory,
                                                      const std::wstring& file);

}  // namespace win32
