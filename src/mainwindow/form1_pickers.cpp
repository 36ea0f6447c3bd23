// The folder, picture and colour pickers and the two previews.
#include <array>
#include <string>

#include "customisation/colour_text.h"
#include "customisation/folder_text.h"
#include "customisation/text_to_number.h"
#include "mainwindow/colour.h"
#include "mainwindow/form1.h"
#include "mainwindow/messages.h"
#include "platform/ascii.h"

namespace mainwindow {

using customisation::decimalText;

std::u16string Form1::BrowseDialog(platform::WindowHandle owner, std::u16string_view title) {
    return services_.folderBrowser.browse(owner, title);
}

void Form1::storeFolder(const std::u16string& folder) {
    setText(ControlId::fold, customisation::folderText(folder));
}

void Form1::fold_DblClick() {
    storeFolder(BrowseDialog(view_.handle(), messages::folderBrowserTitle));
}

void Form1::dropped(const std::u16string& path, bool isFolder) {
    if (path.empty()) return;
    if (isFolder) return storeFolder(path);
    // The kinds of file the picture dialog offers.
    auto dot = path.rfind(u'.');
    auto slash = path.find_last_of(u"\\/");
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return;
    std::u16string extension = path.substr(dot + 1);
    for (auto& c : extension) c = platform::ascii::toLower(c);
    if (extension == u"bmp" || extension == u"jpg" || extension == u"jpeg" || extension == u"gif") {
        setText(ControlId::img, path);
    }
}

void Form1::wbtn1_Click() { fold_DblClick(); }

void Form1::fold_GotFocus() { view_.selectAll(ControlId::fold); }

void Form1::img_DblClick() {
    CommonDialog1_.fileName.clear();
    CommonDialog1_.dialogTitle = messages::pictureDialogTitle;
    CommonDialog1_.filter = messages::pictureFilter;
    if (!services_.dialogs.showOpen(CommonDialog1_)) return;
    setText(ControlId::img, CommonDialog1_.fileName);
}

void Form1::wbtn2_Click() { img_DblClick(); }

void Form1::Image2_DblClick() { img_DblClick(); }

void Form1::img_GotFocus() { view_.selectAll(ControlId::img); }

// The preview never keeps an older picture: it is emptied at once, and shows
// the picture of the current path once that has been decoded.
void Form1::img_Change() {
    setPreview(nullptr);
    const Control& view = control(ControlId::imgview);
    const std::u16string& path = text(ControlId::img);
    const auto origin = imgNamedByFolder_ ? platform::PictureOrigin::namedByFolder
                                          : platform::PictureOrigin::chosen;
    awaitedPicture_ = AwaitedPicture{
        services_.pictures.request(path, view.rect.width, view.rect.height, origin), path};
}

void Form1::pictureLoaded(platform::PictureTicket ticket, platform::LoadedPicture picture) {
    // The answer to an older request, or to a text the box no longer holds,
    // would show a picture of another path.
    if (!awaitedPicture_ || awaitedPicture_->ticket != ticket ||
        awaitedPicture_->path != text(ControlId::img)) {
        return;
    }
    awaitedPicture_.reset();
    if (picture) setPreview(*picture);
}

void Form1::Image1_DblClick() {
    CommonDialog1_.dialogTitle = messages::colourDialogTitle;
    if (!services_.dialogs.showColor(CommonDialog1_)) return;
    setText(ControlId::color, decimalText(CommonDialog1_.color));
}

void Form1::Image3_Click() { Image1_DblClick(); }

std::optional<std::int32_t> Form1::colourNumber() const {
    return customisation::colourNumber(text(ControlId::color), services_.locale.decimalSeparator(),
                                       customisation::WebForm::refused);
}

// Each step converts the text itself and fails on its own; a text that is no
// colour leaves every control with the colour it had.
void Form1::color_Change() {
    if (auto number = colourNumber(); number && isControlColour(*number)) {
        mutableControl(ControlId::vcolor).backColour = static_cast<OleColour>(*number);
        view_.redraw(ControlId::vcolor);
    }
    setVisible(ControlId::vcolor, true);
    constexpr std::array lines{ControlId::L1, ControlId::L2, ControlId::L3,
                               ControlId::L4, ControlId::L5, ControlId::L6};
    for (ControlId line : lines) {
        if (auto number = colourNumber(); number && isControlColour(*number)) {
            mutableControl(line).foreColour = static_cast<OleColour>(*number);
            view_.redraw(line);
        }
    }
}

}  // namespace mainwindow
