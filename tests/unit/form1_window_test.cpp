// The window model: stacking, hit testing, hover, dragging, fixed size.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/hit_test.h"

namespace {

using mainwindow::ControlId;
using mainwindow::TwipPoint;
namespace mouse = mainwindow::mouse;

TEST(Form1Design, OpensWithTheDesignTextsAndNothingRun) {
    fakes::FormHarness h;
    EXPECT_EQ(h.text(ControlId::fold), u"C:\\Program Files");
    EXPECT_EQ(h.text(ControlId::img), u"C:\\WINDOWS\\ACD Wallpaper.bmp");
    EXPECT_EQ(h.text(ControlId::color), u"Text3");
    EXPECT_TRUE(h.pictures.loads.empty());
    EXPECT_FALSE(h.form.control(ControlId::vcolor).visible);
    for (auto lit :
         {ControlId::btn1, ControlId::btn2, ControlId::btn3, ControlId::btne, ControlId::btnt}) {
        EXPECT_FALSE(h.form.control(lit).visible);
    }
}

// Each hover picture lies behind its hot spot and is larger on every side.
TEST(Form1Design, HoverPicturesSurroundTheirHotSpots) {
    auto controls = mainwindow::designControls();
    const std::pair<ControlId, ControlId> pairs[] = {{ControlId::wbtn1, ControlId::btn1},
                                                     {ControlId::wbtn2, ControlId::btn2},
                                                     {ControlId::Image3, ControlId::btn3},
                                                     {ControlId::Image4, ControlId::btne},
                                                     {ControlId::Image5, ControlId::btnt}};
    for (auto [spot, lit] : pairs) {
        const auto& s = controls[indexOf(spot)].rect;
        const auto& l = controls[indexOf(lit)].rect;
        EXPECT_LT(indexOf(spot), indexOf(lit));
        EXPECT_LT(l.left, s.left);
        EXPECT_LT(l.top, s.top);
        EXPECT_GT(l.left + l.width, s.left + s.width);
        EXPECT_GT(l.top + l.height, s.top + s.height);
    }
}

TEST(HitTest, FrontMostVisibleImageOrLabelWins) {
    fakes::FormHarness h;
    struct Case {
        TwipPoint point;
        std::optional<ControlId> expected;
    };
    const Case cases[] = {
        {{4740, 780}, ControlId::wbtn1},     // top-left corner is inside
        {{4740 + 1460, 780}, std::nullopt},  // right edge is outside
        {{4739, 780}, std::nullopt},         // just left of it
        {{4700, 720}, std::nullopt},         // hidden btn1 takes nothing
        {{6300, 2400}, ControlId::Image1},   // Image1 over the hidden swatch
        {{200, 600}, ControlId::Image2},     // the frame in front of the preview
        {{1600, 1300}, ControlId::Image2},   // ... also over the preview
        {{2000, 1440}, ControlId::Image2},   // lines never take events
        {{8200, 3050}, ControlId::Image5},  {{6400, 3050}, ControlId::Image4},
        {{300, 4400}, ControlId::Label1},   {{5700, 4450}, ControlId::Label9},
        {{7300, 4450}, ControlId::Label8},  {{200, 100}, ControlId::Image6},
        {{6400, 900}, std::nullopt},   // the folder box is native
        {{9800, 4000}, std::nullopt},  // bare background
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.point.x) + "," + std::to_string(c.point.y));
        EXPECT_EQ(controlAt(h.form.controls(), c.point), c.expected);
    }
}

TEST(HitTest, AShownHoverPictureStillLetsItsHotSpotTakeClicks) {
    fakes::FormHarness h;
    h.form.mouseMoved({4800, 800}, 0);
    ASSERT_TRUE(h.form.control(ControlId::btn1).visible);
    EXPECT_EQ(controlAt(h.form.controls(), {4800, 800}), ControlId::wbtn1);
    EXPECT_EQ(controlAt(h.form.controls(), {4680, 710}), ControlId::btn1);
}

TEST(Hover, HighlightsStayUntilAMoveOverBareArea) {
    fakes::FormHarness h;
    h.form.mouseMoved({4800, 800}, 0);   // folder button
    h.form.mouseMoved({4800, 1600}, 0);  // picture button
    h.form.mouseMoved({4680, 710}, 0);   // onto the folder button's own highlight
    h.form.mouseMoved({7300, 4450}, 0);  // a label
    h.form.mouseMoved({200, 600}, 0);    // the preview frame
    EXPECT_TRUE(h.form.control(ControlId::btn1).visible);
    EXPECT_TRUE(h.form.control(ControlId::btn2).visible);
    h.form.mouseMoved({9800, 4000}, 0);
    EXPECT_FALSE(h.form.control(ControlId::btn1).visible);
    EXPECT_FALSE(h.form.control(ControlId::btn2).visible);
}

TEST(Hover, TheCloseImageIsLoweredUntilAMoveOverBareArea) {
    fakes::FormHarness h;
    h.form.mouseMoved({200, 100}, 0);
    EXPECT_EQ(h.form.control(ControlId::Image6).rect.top, 20);
    h.form.mouseMoved({200, 440}, 0);  // on its lowered part
    EXPECT_EQ(h.form.control(ControlId::Image6).rect.top, 20);
    h.form.mouseMoved({9800, 4000}, 0);
    EXPECT_EQ(h.form.control(ControlId::Image6).rect.top, 0);
}

TEST(Drag, OnlyTheLeftButtonAloneOnBareAreaDragsTheWindow) {
    struct Case {
        TwipPoint at;
        int buttons;
        bool drags;
    };
    const Case cases[] = {
        {{9800, 4000}, mouse::left, true},
        {{9800, 4000}, mouse::right, false},
        {{9800, 4000}, mouse::middle, false},
        {{9800, 4000}, mouse::left | mouse::right, false},
        {{9800, 4000}, 0, false},
        {{300, 4400}, mouse::left, false},  // a label
        {{4800, 800}, mouse::left, false},  // a hot spot
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.form.mouseMoved({4800, 800}, 0);
        h.form.leftButtonDown(c.at);
        h.form.mouseMoved(c.at, c.buttons);
        bool dragged = !h.frame.calls.empty() && h.frame.calls.back() == "drag";
        EXPECT_EQ(dragged, c.drags) << c.buttons;
        if (controlAt(h.form.controls(), c.at) == std::nullopt) {
            EXPECT_FALSE(h.form.control(ControlId::btn1).visible);
        }
    }
}

TEST(Clicks, GoToTheControlPressedAndReleasedOn) {
    fakes::FormHarness h;
    h.folderBrowser.answer = u"C:\\Data";
    h.form.leftButtonDown({4800, 800});
    h.form.leftButtonUp({4800, 800});
    EXPECT_EQ(h.folderBrowser.calls.size(), 1u);

    h.form.leftButtonDown({4800, 800});
    h.form.leftButtonUp({9800, 4000});  // released elsewhere: no click
    EXPECT_EQ(h.folderBrowser.calls.size(), 1u);

    // A double-click on a hot spot with only a click handler clicks once.
    h.form.leftButtonDown({4800, 800});
    h.form.leftButtonUp({4800, 800});
    h.form.leftDoubleClick({4800, 800});
    h.form.leftButtonUp({4800, 800});
    EXPECT_EQ(h.folderBrowser.calls.size(), 2u);
}

TEST(Clicks, TheCloseImageEndsTheProgramEvenWithAHighlightShown) {
    fakes::FormHarness h;
    h.form.mouseMoved({8200, 3050}, 0);
    h.form.leftButtonDown({200, 100});
    h.form.leftButtonUp({200, 100});
    EXPECT_EQ(h.frame.calls.back(), "end");
}

TEST(FixedSize, EveryResizeSetsHeightThenWidth) {
    fakes::FormHarness h;
    h.frame.minimised = true;  // refused steps are skipped, the next still runs
    h.form.Form_Resize();
    EXPECT_EQ(h.frame.calls, (std::vector<std::string>{"height 5190", "width 9945"}));
}

TEST(Focus, TheBoxesSelectAllOnFocus) {
    fakes::FormHarness h;
    h.form.focusEntered(ControlId::fold);
    h.form.focusEntered(ControlId::img);
    h.form.focusEntered(ControlId::color);
    EXPECT_EQ(h.view.selected, (std::vector<ControlId>{ControlId::fold, ControlId::img}));
}

}  // namespace

namespace {

TEST(AboutBox, ThreeLinesJoinedByCrLfAndNoneAtTheEnd) {
    fakes::FormHarness h;
    h.form.leftButtonDown({300, 4400});
    h.form.leftButtonUp({300, 4400});
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].title, u"معلومات عن البرنامج");
    EXPECT_EQ(h.messages.shown[0].text,
              u"البرنامج من تصميم وبرمجة\r\nفريق تطوير خلفية المجلد\r\nteam@fbg.example.net");
}

TEST(WebLink, OpensThePublishersAddressOrSaysItCouldNot) {
    for (bool opens : {true, false}) {
        fakes::FormHarness h;
        h.urls.succeeds = opens;
        h.form.Label9_Click();
        EXPECT_EQ(h.urls.opened, std::vector<std::u16string>{u"https://fbg.example.net"});
        EXPECT_EQ(h.messages.shown.size(), opens ? 0u : 1u);
        EXPECT_EQ(h.form.control(mainwindow::ControlId::Label9).text, u"fbg.example.net");
    }
}

}  // namespace
