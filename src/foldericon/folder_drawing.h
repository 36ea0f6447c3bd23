#pragma once

#include "foldericon/image.h"

namespace foldericon {

// A rectangle of whole pixels: left and top in, right and bottom out.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Where the picture shows on the front of the `size` pixel icon.
PixelRect pictureWindow(int size);

// The icon of `size` x `size` pixels: a folder (a back panel with a tab on
// its top left and a front panel, each edged a shade darker so that the
// shape stays a folder at 16 pixels) whose front shows the middle of
// `picture`, cut to fill it. Transparent outside the folder; edges smoothed.
// The folder alone when `picture` is empty.
Image drawFolderIcon(const Image& picture, int size);

}  // namespace foldericon
