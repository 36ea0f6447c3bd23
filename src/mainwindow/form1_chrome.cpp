// Hover highlights, the close image, dragging, the about box and the link.
#include <string>

#include "customisation/publisher.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"

namespace mainwindow {
namespace {

constexpr int closeImageLoweredTop = 20;

}  // namespace

void Form1::Form_MouseMove(int button) {
    for (ControlId lit :
         {ControlId::btn1, ControlId::btn2, ControlId::btn3, ControlId::btne, ControlId::btnt}) {
        setVisible(lit, false);
    }
    Control& close = mutableControl(ControlId::Image6);
    if (close.rect.top != 0) {
        close.rect.top = 0;
        view_.redraw(ControlId::Image6);
    }
    if (button == mouse::left) {
        // The system's move loop swallows the button's release.
        press_.reset();
        view_.dragWithMouse();
    }
}

void Form1::wbtn1_MouseMove() { setVisible(ControlId::btn1, true); }
void Form1::wbtn2_MouseMove() { setVisible(ControlId::btn2, true); }
void Form1::Image3_MouseMove() { setVisible(ControlId::btn3, true); }
void Form1::Image4_MouseMove() { setVisible(ControlId::btne, true); }
void Form1::Image5_MouseMove() { setVisible(ControlId::btnt, true); }

void Form1::Image6_MouseMove() {
    Control& close = mutableControl(ControlId::Image6);
    if (close.rect.top == closeImageLoweredTop) return;
    close.rect.top = closeImageLoweredTop;
    view_.redraw(ControlId::Image6);
}

void Form1::Image6_Click() { view_.endProgram(); }

void Form1::Label1_Click() {
    std::u16string text(messages::aboutFirstLine);
    text += u"\r\n";
    text += publisher::authorName;
    text += u"\r\n";
    text += publisher::email;
    services_.messages.show(text, messages::aboutTitle);
}

void Form1::Label9_Click() {
    if (!services_.urls.open(publisher::siteUrl)) {
        services_.messages.show(messages::linkFailed, messages::errorTitle);
    }
}

}  // namespace mainwindow
