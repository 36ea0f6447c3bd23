#pragma once

#include <windows.h>

#include "mainwindow/form1.h"
#include "mainwindow/win32/artwork.h"
#include "platform/win32/twips.h"
#include "platform/win32/unique_handle.h"

namespace mainwindow::win32 {

using ::win32::pixelsToTwips;
using ::win32::twipsToPixels;

RECT pixelRect(const mainwindow::TwipRect& rect, UINT dpi);

// The window's fonts at one DPI.
class Fonts {
  public:
    explicit Fonts(UINT dpi);
    HFONT get(mainwindow::FontId id) const;

  private:
    ::win32::UniqueFont window_, pathBox_, labelBold_, link_;
};

COLORREF resolveColour(mainwindow::OleColour colour);

// Draws the whole client area, back to front: the background picture, then
// every drawn control from the last in the stacking order to the first, and
// last the focus rectangle of a focused painted command when `showFocus`.
void paintForm(HDC dc, const RECT& client, const mainwindow::Form1& form, const ArtworkSet& art,
               const Fonts& fonts, UINT dpi, bool showFocus);

}  // namespace mainwindow::win32
