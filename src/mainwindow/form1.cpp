#include "mainwindow/form1.h"

#include <utility>

#include "customisation/apply_with_icon.h"
#include "mainwindow/hit_test.h"

namespace mainwindow {

Form1::Form1(const Services& services, Form1View& view)
    : services_(services),
      view_(view),
      controls_(designControls()),
      iconChoice_(customisation::iconByDefault(services.windows)) {
    mutableControl(ControlId::iconBox).checked = iconChoice_;
}

void Form1::setText(ControlId box, std::u16string text) {
    Control& control = mutableControl(box);
    if (control.text == text) return;
    control.text = std::move(text);
    view_.showText(box, control.text);
    runChangeHandler(box);
}

void Form1::textEdited(ControlId box, std::u16string text) {
    Control& control = mutableControl(box);
    if (control.text == text) return;
    control.text = std::move(text);
    runChangeHandler(box);
}

void Form1::runChangeHandler(ControlId box) {
    switch (box) {
        case ControlId::fold:
            return fold_Change();
        case ControlId::img:
            return img_Change();
        case ControlId::color:
            return color_Change();
        default:
            return;
    }
}

void Form1::setVisible(ControlId id, bool visible) {
    Control& control = mutableControl(id);
    if (control.visible == visible) return;
    control.visible = visible;
    view_.redraw(id);
}

void Form1::setPreview(platform::PicturePtr picture) {
    if (preview_ == picture) return;
    preview_ = std::move(picture);
    view_.redraw(ControlId::imgview);
}

void Form1::focusEntered(ControlId control) {
    const auto previous = std::exchange(focused_, control);
    if (previous && *previous != control && isPaintedCommand(*previous)) view_.redraw(*previous);
    if (isPaintedCommand(control)) view_.redraw(control);
    if (control == ControlId::fold) fold_GotFocus();
    if (control == ControlId::img) img_GotFocus();
}

void Form1::focusLeft(ControlId control) {
    if (focused_ != control) return;
    focused_.reset();
    if (isPaintedCommand(control)) view_.redraw(control);
}

void Form1::boxDoubleClicked(ControlId box) {
    if (box == ControlId::fold) fold_DblClick();
    if (box == ControlId::img) img_DblClick();
}

void Form1::mouseMoved(TwipPoint point, int buttons) {
    // While the left button is held, moves belong to what it was pressed on.
    if (press_ && (buttons & mouse::left) != 0) return moveOver(press_->target, buttons);
    moveOver(controlAt(controls_, point), buttons);
}

void Form1::leftButtonDown(TwipPoint point) { press_ = Press{controlAt(controls_, point)}; }

void Form1::leftDoubleClick(TwipPoint point) {
    press_ = Press{controlAt(controls_, point), true};
    if (press_->target) doubleClick(*press_->target);
}

void Form1::leftButtonUp(TwipPoint point) {
    auto press = press_;
    press_.reset();
    if (!press || press->secondOfDoubleClick || !press->target) return;
    if (controlAt(controls_, point) == press->target) click(*press->target);
}

// The preview is decoded to the size of its frame in pixels.
void Form1::scaleChanged() { img_Change(); }

void Form1::moveOver(std::optional<ControlId> target, int buttons) {
    if (!target) return Form_MouseMove(buttons);
    switch (*target) {
        case ControlId::wbtn1:
            return wbtn1_MouseMove();
        case ControlId::wbtn2:
            return wbtn2_MouseMove();
        case ControlId::Image3:
            return Image3_MouseMove();
        case ControlId::Image4:
            return Image4_MouseMove();
        case ControlId::Image5:
            return Image5_MouseMove();
        case ControlId::Image6:
            return Image6_MouseMove();
        default:
            return;
    }
}

void Form1::click(ControlId target) {
    switch (target) {
        case ControlId::wbtn1:
            return wbtn1_Click();
        case ControlId::wbtn2:
            return wbtn2_Click();
        case ControlId::Image3:
            return Image3_Click();
        case ControlId::Image5:
            return Image5_Click();
        case ControlId::Image4:
            return Image4_Click();
        case ControlId::Image6:
            return Image6_Click();
        case ControlId::Label1:
            return Label1_Click();
        case ControlId::Label9:
            return Label9_Click();
        default:
            return;
    }
}

void Form1::doubleClick(ControlId target) {
    switch (target) {
        case ControlId::Image2:
            return Image2_DblClick();
        case ControlId::Image1:
            return Image1_DblClick();
        default:
            return;
    }
}

// The fixed-size rule: a refused step is skipped, and the resizes that the
// steps cause run this again without changing anything.
void Form1::Form_Resize() {
    view_.setOuterHeight(outerHeightTwips);
    view_.setOuterWidth(outerWidthTwips);
}

}  // namespace mainwindow
