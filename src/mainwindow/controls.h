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
    Text1,          // a box no handler reads
    color,          // the text colour as a number
    CommonDialog1,  // the picture and colour dialogs
    img,            // the picture path
    fold,           // the folder path
    Command1,       // a button with no handler
    Image6,         // close mark
    Label9,         // the site link
    Label8,         // the line above the link
    Label6,         // heading over the colour
    Image5,         // apply
    Image4,         // remove the background
    Label1,         // about the program
    L6,             // L1 to L6: lines drawn over the Explorer picture
    L4,
    L2,
    L5,
    L3,
    L1,
    Image2,   // the drawn Explorer window
    Image3,   // pick the colour
    wbtn2,    // pick the picture
    wbtn1,    // pick the folder
    btnt,     // apply, lit
    btne,     // remove, lit
    btn1,     // pick the folder, lit
    Image1,   // behind the swatch: a double click picks the colour
    btn2,     // pick the picture, lit
    btn3,     // pick the colour, lit
    vcolor,   // the colour swatch
    imgview,  // the preview
    Label3,   // heading over the folder
    Label5,   // heading over the picture
    iconBox,  // whether the folder's icon carries the picture: a native check box
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
