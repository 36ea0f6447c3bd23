#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mainwindow {

// Every control of the window, front-most first: the order decides which
// control takes a mouse event where several overlap.
enum class ControlId {
    Text1,
    color,
    CommonDialog1,
    img,
    fold,
    Command1,
    Image6,
    Label9,
    Label8,
    Label6,
    Image5,
    Image4,
    Label1,
    L6,
    L4,
    L2,
    L5,
    L3,
    L1,
    Image2,
    Image3,
    wbtn2,
    wbtn1,
    btnt,
    btne,
    btn1,
    Image1,
    btn2,
    btn3,
    vcolor,
    imgview,
    Label3,
    Label5,
    // Whether the folder's icon carries the picture; added to the design, a
    // native check box.
    iconBox,
};
inline constexpr std::size_t controlCount = 34;

enum class ControlKind { textBox, commonDialog, pushButton, checkBox, image, label, line };

// Pictures that are part of the window's design.
enum class Artwork {
    none,
    background,
    closeMark,
    explorerWindow,
    applyLit,
    restoreLit,
    folderLit,
    pictureLit,
    colourLit
};

enum class FontId { window, pathBox, labelBold, link };

struct TwipPoint {
    int x = 0;
    int y = 0;
};

// For a line: Left/Top is its first end point, Width/Height the offset to
// its second.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool contains(TwipPoint p) const {
        return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
    }
};

// Colours as the controls take them: 0x00BBGGRR, or a system colour index
// with the top bit set.
using OleColour = std::uint32_t;
inline constexpr OleColour windowTextColour = 0x80000008;
inline constexpr OleColour windowColour = 0x80000005;

struct Control {
    ControlId id{};
    std::string_view name;
    ControlKind kind{};
    TwipRect rect;
    bool visible = true;
    std::u16string text;
    Artwork picture = Artwork::none;
    OleColour foreColour = windowTextColour;
    OleColour backColour = windowColour;
    bool transparent = false;
    bool rightAligned = false;
    FontId font = FontId::window;
    std::u16string_view toolTip;
    bool upArrowCursor = false;
    // For a hot spot: the caption painted on the button beneath it.
    std::u16string_view paintedCaption;
    // For a check box.
    bool checked = false;
    bool enabled = true;
};

using Controls = std::array<Control, controlCount>;

// The controls as the window is designed, before it opens.
Controls designControls();

inline std::size_t indexOf(ControlId id) { return static_cast<std::size_t>(id); }

// Only images and labels take mouse events; lines never do, and the native
// boxes and button take their own.
bool takesMouseEvents(const Control& control);

// The hover picture that lights a hot spot's painted button.
std::optional<ControlId> hoverPictureOf(ControlId hotSpot);

// The window's fixed outer size.
inline constexpr int outerWidthTwips = 9945;
inline constexpr int outerHeightTwips = 5190;

}  // namespace mainwindow
