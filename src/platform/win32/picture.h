#pragma once

#include <windows.h>

#include <utility>

#include "platform/picture.h"
#include "platform/win32/decoded_bitmap.h"

namespace win32 {

// A picture scaled for showing, as a premultiplied DIB section.
class Picture : public platform::Picture {
  public:
    explicit Picture(DecodedBitmap bitmap) : bitmap_(std::move(bitmap)) {}
    HBITMAP handle() const { return bitmap_.bitmap.get(); }
    int width() const { return bitmap_.width; }
    int height() const { return bitmap_.height; }

  private:
    DecodedBitmap bitmap_;
};

}  // namespace win32
