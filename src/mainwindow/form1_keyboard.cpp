// The keyboard's way to every command, and what assistive tools announce.
#include "customisation/text_to_number.h"
#include "mainwindow/colour.h"
#include "mainwindow/form1.h"

namespace mainwindow {

using customisation::decimalText;

bool Form1::keyPressed(Key key) {
    switch (key) {
        case Key::tab:
        case Key::shiftTab:
            view_.moveFocus(nextInTabOrder(focused_, key == Key::shiftTab));
            return true;
        case Key::escape:
        case Key::altF4:
            Image6_Click();
            return true;
        case Key::enter:
            // Taken in the boxes too, where it has nothing to do.
            if (focused_) press(*focused_);
            return true;
        case Key::space:
            return focused_ && press(*focused_);
        case Key::altDown:
        case Key::f4:
            // The usual keys that open a box's list open its picker.
            if (focused_ != ControlId::fold && focused_ != ControlId::img) return false;
            boxDoubleClicked(*focused_);
            return true;
    }
    return false;
}

bool Form1::press(ControlId control) {
    if (!isPaintedCommand(control)) return false;
    click(control);
    return true;
}

bool Form1::showsLit(ControlId hoverPicture) const {
    return control(hoverPicture).visible || (focused_ && hoverPictureOf(*focused_) == hoverPicture);
}

AccessibleInfo Form1::accessible(ControlId id) const {
    const Control& c = control(id);
    switch (id) {
        case ControlId::fold:
            return {text(ControlId::Label3), AccessibleRole::editableText, {}};
        case ControlId::img:
            return {text(ControlId::Label5), AccessibleRole::editableText, {}};
        case ControlId::iconBox:
            // Why it cannot be checked, where it cannot.
            return {c.text, AccessibleRole::checkBox, std::u16string(c.toolTip)};
        case ControlId::Label1:
        case ControlId::Label9:
            return {c.text, AccessibleRole::link, {}};
        case ControlId::Image3: {
            // The swatch shows the colour; its number is what can be read out.
            auto number = colourNumber();
            return {std::u16string(c.paintedCaption), AccessibleRole::pushButton,
                    number && isRgbColour(*number) ? decimalText(*number) : u""};
        }
        default:
            if (c.paintedCaption.empty()) return {};
            return {std::u16string(c.paintedCaption), AccessibleRole::pushButton, {}};
    }
}

}  // namespace mainwindow
