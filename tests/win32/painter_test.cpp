// Painting the window again and again must leave no GDI object behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/win32/artwork.h"
#include "mainwindow/win32/painter.h"
#include "platform/win32/gdi_guards.h"

namespace {

// Wine answers GetGuiResources with 0; there the live objects are counted by
// asking for the type of every handle in its table, which takes handles
// without their generation bits.
DWORD gdiObjects() {
    if (DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return count;
    DWORD count = 0;
    for (ULONG_PTR handle = 32; handle < 32 + 16384; ++handle) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0) ++count;
    }
    return count;
}

TEST(Painter, RepaintingLeavesNoGdiObjectsBehind) {
    fakes::FormHarness h;
    h.type(mainwindow::ControlId::color, u"255");  // the swatch, an opaque label
    mainwindow::win32::ArtworkSet artwork;
    artwork.scaleFor(96);
    // Fonts for twice the window's DPI: no caption fits its label, so every
    // paint shrinks every caption's font, several tries each.
    const mainwindow::win32::Fonts tooLarge(192);

    const win32::MemoryCanvas canvas(win32::WindowDc(nullptr).get(), 663, 346);
    const RECT client{0, 0, 663, 346};
    auto paint = [&] {
        mainwindow::win32::paintForm(canvas.get(), client, h.form, artwork, tooLarge, 96, true);
    };

    paint();  // whatever the system makes once and keeps
    const DWORD before = gdiObjects();
    for (int i = 0; i < 3000; ++i) paint();
    // A leak of one object a paint would show as thousands.
    EXPECT_LE(gdiObjects(), before + 8) << "before: " << before;
}

}  // namespace
