#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "customisation/failure_reason.h"
#include "customisation/read.h"
#include "customisation/shared_services.h"
#include "mainwindow/controls.h"
#include "mainwindow/keyboard.h"
#include "platform/background_work.h"
#include "platform/common_dialog.h"
#include "platform/folder_browser.h"
#include "platform/message_dialog.h"
#include "platform/network_paths.h"
#include "platform/pause_timer.h"
#include "platform/picture_loader.h"
#include "platform/url_launcher.h"
#include "platform/window_handle.h"
#include "platform/windows_version.h"

namespace mainwindow {

// What the window shows natively or must draw again when the model changes.
class Form1View {
  public:
    virtual ~Form1View() = default;
    // Puts a text box's text on screen; the model already holds it.
    virtual void showText(ControlId box, const std::u16string& text) = 0;
    virtual void selectAll(ControlId box) = 0;
    // The look of a control changed (visibility, place, colour, picture,
    // focus).
    virtual void redraw(ControlId control) = 0;
    // Gives a control the keyboard focus; the window then reports it back
    // through focusEntered.
    virtual void moveFocus(ControlId control) = 0;

    // The top-level window itself, the owner of the dialogs.
    virtual platform::WindowHandle handle() const = 0;
    // Outer size in twips; false when the platform refuses (e.g. minimised).
    virtual bool setOuterHeight(int twips) = 0;
    virtual bool setOuterWidth(int twips) = 0;
    // Releases the mouse capture and lets the system move the window with the
    // pointer until the left button is released.
    virtual void dragWithMouse() = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
    // While false, the window takes no mouse or keyboard input but still
    // paints and answers: a command waits for the disk meanwhile.
    virtual void acceptInput(bool accept) = 0;
};

// The operating system as the handlers see it: what a command sees too, and
// what only the window needs.
struct Services : customisation::SharedServices {
    platform::MessageDialog& messages;
    platform::FolderBrowser& folderBrowser;
    platform::CommonDialogs& dialogs;
    platform::PictureLoader& pictures;
    platform::UrlLauncher& urls;
    platform::BackgroundWork& background;
    const platform::WindowsVersion& windows;
    const platform::NetworkPaths& network;
    platform::PauseTimer& pause;
};

// Mouse buttons as handlers receive them, added together.
namespace mouse {
inline constexpr int left = 1;
inline constexpr int right = 2;
inline constexpr int middle = 4;
}  // namespace mouse

// The main window: its controls and the handlers of their events. All the
// program's working state lives in these controls.
class Form1 {
  public:
    Form1(const Services& services, Form1View& view);

    const Controls& controls() const { return controls_; }
    const Control& control(ControlId id) const { return controls_[indexOf(id)]; }
    const std::u16string& text(ControlId box) const { return control(box).text; }
    // The picture `imgview` shows; null when it shows none.
    const platform::PicturePtr& preview() const { return preview_; }
    const platform::CommonDialogState& commonDialog() const { return CommonDialog1_; }

    // Input as the window receives it, routed to the handlers.
    void textEdited(ControlId box, std::u16string text);
    void focusEntered(ControlId control);
    void focusLeft(ControlId control);
    void boxDoubleClicked(ControlId box);
    void mouseMoved(TwipPoint point, int buttons);
    void leftButtonDown(TwipPoint point);
    void leftButtonUp(TwipPoint point);
    void leftDoubleClick(TwipPoint point);
    // A file or folder dropped from the shell onto the window.
    void dropped(const std::u16string& path, bool isFolder);
    // The answer to a picture request of the preview.
    void pictureLoaded(platform::PictureTicket ticket, platform::LoadedPicture picture);
    // The person checked or cleared the icon box.
    void iconBoxClicked(bool checked);
    // The window is drawn at another DPI from now on: what was made for the
    // old one in pixels is made again.
    void scaleChanged();

    // The keyboard. A key the window takes returns true; false leaves it to
    // the focused control (typing in a box).
    bool keyPressed(Key key);
    // Enter or Space on a painted command, or an assistive tool's default
    // action on it: the same handler as a click. False for other controls.
    bool press(ControlId control);
    std::optional<ControlId> focused() const { return focused_; }
    // Whether a hover picture is drawn: while visible, and while its hot
    // spot has the focus (which leaves the mouse's hover state alone).
    bool showsLit(ControlId hoverPicture) const;
    // What assistive tools announce for a focusable control.
    AccessibleInfo accessible(ControlId control) const;

    // Event handlers, named after their control and event.
    void Form_Resize();
    void Form_MouseMove(int button);
    void fold_Change();
    void fold_GotFocus();
    void fold_DblClick();
    void img_Change();
    void img_GotFocus();
    void img_DblClick();
    void color_Change();
    void wbtn1_Click();
    void wbtn2_Click();
    void Image2_DblClick();
    void Image3_Click();
    void Image1_DblClick();
    void Image5_Click();
    void Image4_Click();
    void Image6_Click();
    void Label1_Click();
    void Label9_Click();
    void wbtn1_MouseMove();
    void wbtn2_MouseMove();
    void Image3_MouseMove();
    void Image4_MouseMove();
    void Image5_MouseMove();
    void Image6_MouseMove();

    // The shell's folder browser over `owner`; the empty text when nothing
    // was chosen.
    std::u16string BrowseDialog(platform::WindowHandle owner, std::u16string_view title);

  private:
    Control& mutableControl(ControlId id) { return controls_[indexOf(id)]; }
    // Sets a box's text; a change runs the box's change handler.
    void setText(ControlId box, std::u16string text);
    void setVisible(ControlId id, bool visible);
    void setPreview(platform::PicturePtr picture);
    void storeFolder(const std::u16string& folder);
    void runChangeHandler(ControlId box);
    void moveOver(std::optional<ControlId> target, int buttons);
    void click(ControlId target);
    void doubleClick(ControlId target);
    std::optional<std::int32_t> colourNumber() const;
    // A failure message, with the reason on a second line when there is one.
    std::u16string failureText(std::u16string_view message,
                               const customisation::FailureReason& reason) const;
    // Runs a command's disk work off the window's thread, the window taking
    // no input until `done` has run.
    void runCommand(std::function<void()> work, std::function<void()> done);
    // Reads `folder`'s file off the window's thread.
    void readFolder(const std::u16string& folder);
    // What the read of `folder`'s file found, once it has been read.
    void folderRead(const std::u16string& folder, const customisation::FoundCustomisation& found);
    void setIconBox(bool checked, bool enabled, std::u16string_view toolTip);
    // The icon box as the folder's file and place decide it.
    void showFolderIcon(const std::u16string& folder,
                        const customisation::FoundCustomisation& found);
    bool wantsIcon() const;

    Services services_;
    Form1View& view_;
    Controls controls_;
    platform::PicturePtr preview_;
    // The picture the preview waits for: the newest request, and the text of
    // `img` it was made for.
    struct AwaitedPicture {
        platform::PictureTicket ticket = 0;
        std::u16string path;
    };
    std::optional<AwaitedPicture> awaitedPicture_;
    // While the reader writes what a folder's file names into `img`.
    bool imgNamedByFolder_ = false;
    platform::CommonDialogState CommonDialog1_;

    // The press of the left button under way: where it went down (nothing
    // for bare window area), and whether it was the second of a double-click.
    struct Press {
        std::optional<ControlId> target;
        bool secondOfDoubleClick = false;
    };
    std::optional<Press> press_;
    std::optional<ControlId> focused_;
    // What the person last chose in the icon box, for the next folder that
    // has no say of its own.
    bool iconChoice_ = false;
};

}  // namespace mainwindow
