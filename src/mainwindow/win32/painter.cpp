#include "mainwindow/win32/painter.h"

#include <algorithm>
#include <string_view>

#include "platform/win32/gdi_guards.h"
#include "platform/win32/picture.h"
#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

using mainwindow::Control;
using mainwindow::ControlKind;
using mainwindow::FontId;

constexpr BYTE arabicCharset = 178;
constexpr COLORREF backgroundFill = RGB(12, 33, 58);

::win32::UniqueFont makeFont(const wchar_t* face, int hundredthsOfPoint, bool bold, BYTE charset,
                             UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = charset;
    font.lfQuality = CLEARTYPE_QUALITY;
    // The fields are zeroed, so the name stays ended; no _s function, which
    // XP's C library lacks.
    std::wstring_view(face).copy(font.lfFaceName, LF_FACESIZE - 1);
    return ::win32::UniqueFont(::CreateFontIndirectW(&font));
}

void drawBitmap(HDC dc, HBITMAP bitmap, int width, int height, const RECT& to) {
    ::win32::UniqueDc source(::CreateCompatibleDC(dc));
    ::win32::SelectGuard select(source.get(), bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source.get(), 0, 0,
                    width, height, blend);
}

void drawPicture(HDC dc, const ArtworkPicture& picture, int x, int y) {
    if (picture.storedBits) {
        ::StretchDIBits(dc, x, y, picture.width, picture.height, 0, 0, picture.width,
                        picture.height, picture.storedBits, &picture.stored, DIB_RGB_COLORS,
                        SRCCOPY);
    } else {
        drawBitmap(dc, picture.bitmap, picture.width, picture.height,
                   RECT{x, y, x + picture.width, y + picture.height});
    }
}

// The width the text takes in the font; the font is selected only meanwhile.
int textWidth(HDC dc, HFONT font, const std::u16string& text, const RECT& rect, UINT format) {
    ::win32::SelectGuard select(dc, font);
    RECT needed = rect;
    ::DrawTextW(dc, ::win32::wide(text), static_cast<int>(text.size()), &needed,
                format | DT_CALCRECT);
    return needed.right - needed.left;
}

void drawLabel(HDC dc, const Control& label, const RECT& rect, const Fonts& fonts) {
    if (!label.transparent) {
        ::win32::UniqueBrush brush(::CreateSolidBrush(resolveColour(label.backColour)));
        ::FillRect(dc, &rect, brush.get());
    }
    if (label.text.empty()) return;
    const auto* text = ::win32::wide(label.text);
    const int length = static_cast<int>(label.text.size());
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    if (label.rightAligned) format |= DT_RIGHT | DT_RTLREADING;

    // Where the system substitutes a wider font than the designed one, the
    // caption is drawn smaller rather than cut off or wrapped.
    HFONT designed = fonts.get(label.font);
    ::win32::UniqueFont smaller;
    LOGFONTW shrunk{};
    const int available = rect.right - rect.left;
    // Glyph widths do not scale exactly with the height, so a few tries.
    for (int attempt = 0; attempt < 4; ++attempt) {
        HFONT current = smaller ? smaller.get() : designed;
        const int width = textWidth(dc, current, label.text, rect, format);
        if (width <= available || !::GetObjectW(current, sizeof(shrunk), &shrunk)) break;
        shrunk.lfHeight = ::MulDiv(shrunk.lfHeight, available, width + 2);
        // `current` is no longer selected, so the system lets it go.
        smaller.reset(::CreateFontIndirectW(&shrunk));
    }
    ::win32::SelectGuard font(dc, smaller ? smaller.get() : designed);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, resolveColour(label.foreColour));
    RECT box = rect;
    ::DrawTextW(dc, text, length, &box, format | DT_VCENTER);
}

void drawLine(HDC dc, const Control& line, UINT dpi) {
    LOGBRUSH brush{BS_SOLID, resolveColour(line.foreColour), 0};
    const int width = std::max(1, ::MulDiv(2, static_cast<int>(dpi), 96));
    ::win32::UniquePen pen(
        ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, width, &brush, 0, nullptr));
    ::win32::SelectGuard select(dc, pen.get());
    const auto& r = line.rect;
    ::MoveToEx(dc, twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi), nullptr);
    ::LineTo(dc, twipsToPixels(r.left + r.width, dpi), twipsToPixels(r.top + r.height, dpi));
}

// The system's dotted focus rectangle, just inside a painted button's face
// or just round a link's caption.
void drawFocus(HDC dc, const Control& control, const Fonts& fonts, UINT dpi) {
    RECT r = pixelRect(control.rect, dpi);
    const int margin =
        ::MulDiv(control.kind == ControlKind::image ? 3 : 2, static_cast<int>(dpi), 96);
    if (control.kind == ControlKind::image) {
        ::InflateRect(&r, -margin, -margin);
    } else {
        ::win32::SelectGuard font(dc, fonts.get(control.font));
        SIZE text{};
        ::GetTextExtentPoint32W(dc, ::win32::wide(control.text),
                                static_cast<int>(control.text.size()), &text);
        // A caption too wide for its label is drawn smaller, within it.
        const LONG width = std::min(text.cx, r.right - r.left);
        const LONG middle = (r.top + r.bottom) / 2;
        if (control.rightAligned) {
            r.left = r.right - width;
        } else {
            r.right = r.left + width;
        }
        r.top = middle - text.cy / 2;
        r.bottom = r.top + text.cy;
        ::InflateRect(&r, margin, margin / 2);
    }
    // The dots invert what is under them, whatever the artwork's colour.
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &r);
}

}  // namespace

RECT pixelRect(const mainwindow::TwipRect& rect, UINT dpi) {
    return RECT{twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
                twipsToPixels(rect.left + rect.width, dpi),
                twipsToPixels(rect.top + rect.height, dpi)};
}

Fonts::Fonts(UINT dpi)
    : window_(makeFont(L"Tahoma", 825, false, arabicCharset, dpi)),
      pathBox_(makeFont(L"Verdana", 900, false, ANSI_CHARSET, dpi)),
      labelBold_(makeFont(L"Tahoma", 825, true, arabicCharset, dpi)),
      link_(makeFont(L"Verdana", 825, false, ANSI_CHARSET, dpi)) {}

HFONT Fonts::get(FontId id) const {
    switch (id) {
        case FontId::pathBox:
            return pathBox_.get();
        case FontId::labelBold:
            return labelBold_.get();
        case FontId::link:
            return link_.get();
        case FontId::window:
            break;
    }
    return window_.get();
}

COLORREF resolveColour(mainwindow::OleColour colour) {
    if (colour & 0x80000000u) return ::GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

void paintForm(HDC dc, const RECT& client, const mainwindow::Form1& form, const ArtworkSet& art,
               const Fonts& fonts, UINT dpi, bool showFocus) {
    // Filled only where the background picture leaves the window bare: every
    // pixel written twice costs a full paint's time.
    const auto* background = art.background();
    if (!background || background->width < client.right || background->height < client.bottom) {
        ::win32::UniqueBrush fill(::CreateSolidBrush(backgroundFill));
        ::FillRect(dc, &client, fill.get());
    }
    if (background) drawPicture(dc, *background, 0, 0);

    const auto& controls = form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const Control& control = *it;
        if (!control.visible && !form.showsLit(control.id)) continue;
        const RECT rect = pixelRect(control.rect, dpi);
        switch (control.kind) {
            case ControlKind::image:
                if (control.id == mainwindow::ControlId::imgview) {
                    auto* preview = dynamic_cast<const ::win32::Picture*>(form.preview().get());
                    if (preview)
                        drawBitmap(dc, preview->handle(), preview->width(), preview->height(),
                                   rect);
                } else if (const auto* picture = art.picture(control.picture)) {
                    drawPicture(dc, *picture, rect.left, rect.top);
                }
                break;
            case ControlKind::label:
                drawLabel(dc, control, rect, fonts);
                break;
            case ControlKind::line:
                drawLine(dc, control, dpi);
                break;
            default:
                break;  // native windows draw themselves
        }
    }
    if (auto focused = form.focused();
        showFocus && focused && mainwindow::isPaintedCommand(*focused)) {
        drawFocus(dc, form.control(*focused), fonts, dpi);
    }
}

}  // namespace mainwindow::win32
