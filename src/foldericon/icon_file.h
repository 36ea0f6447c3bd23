#pragma once

#include <string>
#include <vector>

#include "foldericon/image.h"

namespace foldericon {

// One image of an icon file, already in the bytes the file keeps it in.
struct IconImage {
    int size = 0;  // width and height in pixels, at most 256
    std::string bytes;
};

// The image as an icon file keeps a 32-bit bitmap: a BITMAPINFOHEADER whose
// height counts the colours and the mask, the colours (straight alpha) in
// rows from the bottom up, then the one-bit AND mask (set where the image is
// wholly transparent), each mask row padded to 32 bits. Windows XP reads
// only these.
std::string bitmapImage(const Image& image);

// The image's pixels with straight alpha, rows top-down, four bytes each in
// the order blue, green, red, alpha: what PNG encoders take.
std::string straightPixels(const Image& image);

// The .ico file: its header, one directory entry per image (0 standing for
// 256 pixels) and the images after it in the same order.
std::string iconFile(const std::vector<IconImage>& images);

}  // namespace foldericon
