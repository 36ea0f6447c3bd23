#include "mainwindow/controls.h"

#include "customisation/publisher.h"

namespace mainwindow {
namespace {

constexpr OleColour white = 0x00FFFFFF;
constexpr OleColour cyan = 0x00FFFF00;
constexpr OleColour pathText = 0x00404040;
constexpr std::u16string_view iconBoxCaption = u"إظهار الصورة على أيقونة المجلد";

Control make(ControlId id, std::string_view name, ControlKind kind, TwipRect rect,
             bool visible = true) {
    Control c;
    c.id = id;
    c.name = name;
    c.kind = kind;
    c.rect = rect;
    c.visible = visible;
    return c;
}

Control textBox(ControlId id, std::string_view name, TwipRect rect, std::u16string text) {
    Control c = make(id, name, ControlKind::textBox, rect);
    c.text = std::move(text);
    return c;
}

Control pathBox(ControlId id, std::string_view name, TwipRect rect, std::u16string text) {
    Control c = textBox(id, name, rect, std::move(text));
    c.foreColour = pathText;
    c.font = FontId::pathBox;
    return c;
}

Control image(ControlId id, std::string_view name, TwipRect rect, Artwork picture = Artwork::none,
              bool visible = true) {
    Control c = make(id, name, ControlKind::image, rect, visible);
    c.picture = picture;
    return c;
}

Control label(ControlId id, std::string_view name, TwipRect rect, std::u16string caption,
              OleColour colour = white, FontId font = FontId::window) {
    Control c = make(id, name, ControlKind::label, rect);
    c.text = std::move(caption);
    c.foreColour = colour;
    c.transparent = true;
    c.font = font;
    return c;
}

Control headingLabel(ControlId id, std::string_view name, TwipRect rect, std::u16string caption) {
    Control c = label(id, name, rect, std::move(caption), white, FontId::labelBold);
    c.rightAligned = true;
    return c;
}

Control hotSpot(ControlId id, std::string_view name, TwipRect rect,
                std::u16string_view paintedCaption) {
    Control c = image(id, name, rect);
    c.paintedCaption = paintedCaption;
    return c;
}

Control line(ControlId id, std::string_view name, int x1, int y1, int x2, int y2) {
    return make(id, name, ControlKind::line, {x1, y1, x2 - x1, y2 - y1});
}

}  // namespace

Controls designControls() {
    using enum ControlId;
    Control commonDialog =
        make(CommonDialog1, "CommonDialog1", ControlKind::commonDialog, {4560, 4920, 0, 0}, false);
    Control command1 = make(Command1, "Command1", ControlKind::pushButton, {1200, 4920, 1215, 495});
    command1.text = u"Command1";

    Control close = image(Image6, "Image6", {120, 0, 465, 435}, Artwork::closeMark);
    close.toolTip = u"خروج";

    Control link = label(Label9, "Label9", {5640, 4400, 1575, 255}, u"", white, FontId::link);
    link.text = std::u16string(publisher::siteHost);
    link.upArrowCursor = true;

    // Below the colour row, as wide as it, in the gap above the commands.
    Control iconCheck = make(iconBox, "iconBox", ControlKind::checkBox, {6270, 2790, 3495, 225});
    iconCheck.text = std::u16string(iconBoxCaption);
    iconCheck.foreColour = white;

    Control swatch = make(vcolor, "vcolor", ControlKind::label, {6290, 2380, 3475, 365}, false);
    swatch.backColour = 0x000000FF;

    return Controls{{
        textBox(Text1, "Text1", {8760, 5040, 1095, 615}, u""),
        textBox(color, "color", {5880, 4920, 855, 285}, u"Text3"),
        commonDialog,
        pathBox(img, "img", {6360, 1630, 3345, 285}, u"C:\\WINDOWS\\ACD Wallpaper.bmp"),
        pathBox(fold, "fold", {6360, 840, 3345, 285}, u"C:\\Program Files"),
        command1,
        close,
        link,
        label(Label8, "Label8", {7200, 4400, 2535, 255},
              u"لمزيد من البرامج ادخل على الموقع التالي"),
        headingLabel(Label6, "Label6", {6960, 2100, 2775, 255}, u"حدد لون الخط لمحتويات المجلد:"),
        hotSpot(Image5, "Image5", {8170, 3030, 1530, 675}, u"تطبيق"),
        hotSpot(Image4, "Image4", {6350, 3030, 1535, 680}, u"إزالة الخلفية"),
        label(Label1, "Label1", {240, 4395, 2175, 255}, u"معلومات عن البرنامج والمبرمج", cyan),
        line(L6, "L6", 3280, 2160, 4080, 2160),
        line(L4, "L4", 3280, 1800, 3390, 1800),
        line(L2, "L2", 3270, 1440, 3480, 1440),
        line(L5, "L5", 1920, 2055, 2640, 2055),
        line(L3, "L3", 1920, 1800, 2160, 1800),
        line(L1, "L1", 1920, 1440, 2280, 1440),
        image(Image2, "Image2", {190, 540, 4170, 3435}, Artwork::explorerWindow),
        hotSpot(Image3, "Image3", {4740, 2360, 1455, 390}, u"لون الخط"),
        hotSpot(wbtn2, "wbtn2", {4740, 1560, 1455, 390}, u"اختر الصورة"),
        hotSpot(wbtn1, "wbtn1", {4740, 780, 1460, 390}, u"اختر المجلد"),
        image(btnt, "btnt", {8110, 2980, 1665, 825}, Artwork::applyLit, false),
        image(btne, "btne", {6230, 2980, 1755, 810}, Artwork::restoreLit, false),
        image(btn1, "btn1", {4670, 700, 1605, 555}, Artwork::folderLit, false),
        image(Image1, "Image1", {6270, 2390, 3495, 375}),
        image(btn2, "btn2", {4670, 1510, 1605, 555}, Artwork::pictureLit, false),
        image(btn3, "btn3", {4670, 2305, 1605, 555}, Artwork::colourLit, false),
        swatch,
        image(imgview, "imgview", {1530, 1250, 2820, 2605}),
        headingLabel(Label3, "Label3", {6360, 470, 3375, 255}, u"حدد المجلد المراد تغيير خلفيتة :"),
        headingLabel(Label5, "Label5", {6960, 1335, 2775, 255}, u"حدد صورة لتكون خلفية للمجلد:"),
        iconCheck,
    }};
}

std::optional<ControlId> hoverPictureOf(ControlId spot) {
    switch (spot) {
        case ControlId::wbtn1:
            return ControlId::btn1;
        case ControlId::wbtn2:
            return ControlId::btn2;
        case ControlId::Image3:
            return ControlId::btn3;
        case ControlId::Image4:
            return ControlId::btne;
        case ControlId::Image5:
            return ControlId::btnt;
        default:
            return std::nullopt;
    }
}

bool takesMouseEvents(const Control& control) {
    return control.visible &&
           (control.kind == ControlKind::image || control.kind == ControlKind::label);
}

}  // namespace mainwindow
