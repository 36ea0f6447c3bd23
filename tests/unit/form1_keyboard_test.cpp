// The keyboard: the focus order, what each key runs, how the focus shows,
// and what assistive tools are told.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/hit_test.h"
#include "mainwindow/messages.h"

namespace {

using mainwindow::AccessibleRole;
using mainwindow::ControlId;
using mainwindow::Key;
namespace messages = mainwindow::messages;

// What a handler did, as the fakes saw it.
std::string whatRan(const fakes::FormHarness& h) {
    std::string ran;
    if (!h.folderBrowser.calls.empty()) ran += "folder browser;";
    for (const auto& dialog : h.dialogs.opened) {
        ran +=
            dialog.dialogTitle == messages::pictureDialogTitle ? "open dialog;" : "colour dialog;";
    }
    for (const auto& message : h.messages.shown) {
        ran += message.title == messages::aboutTitle ? "about box;" : "message;";
    }
    if (!h.urls.opened.empty()) ran += "web link;";
    for (const auto& call : h.frame.calls) {
        if (call == "end") ran += "end;";
    }
    return ran;
}

TEST(KeyboardFocus, TabWalksTheVisibleControlsInReadingOrder) {
    const std::vector<ControlId> forwards = {
        ControlId::fold,   ControlId::wbtn1,   ControlId::img,    ControlId::wbtn2,
        ControlId::Image3, ControlId::iconBox, ControlId::Image5, ControlId::Image4,
        ControlId::Label1, ControlId::Label9,  ControlId::fold};
    fakes::FormHarness h;
    EXPECT_EQ(h.form.focused(), std::nullopt);  // nothing visible at start
    std::vector<ControlId> walked;
    for (std::size_t i = 0; i < forwards.size(); ++i) {
        EXPECT_TRUE(h.form.keyPressed(Key::tab));
        walked.push_back(*h.form.focused());
    }
    EXPECT_EQ(walked, forwards);

    std::vector<ControlId> back;
    for (std::size_t i = 1; i < forwards.size(); ++i) {
        h.form.keyPressed(Key::shiftTab);
        back.push_back(*h.form.focused());
    }
    EXPECT_EQ(back, std::vector<ControlId>(forwards.rbegin() + 1, forwards.rend()));
}

TEST(KeyboardFocus, TheOutOfSightControlsAreNeverATabStop) {
    struct Case {
        ControlId from;
        Key key;
        ControlId to;
    };
    const Case cases[] = {
        {ControlId::Command1, Key::tab, ControlId::fold},
        {ControlId::Command1, Key::shiftTab, ControlId::Label9},
        {ControlId::color, Key::tab, ControlId::fold},
        {ControlId::Text1, Key::shiftTab, ControlId::Label9},
        {ControlId::Label9, Key::tab, ControlId::fold},
        {ControlId::fold, Key::shiftTab, ControlId::Label9},
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.form.focusEntered(c.from);
        h.form.keyPressed(c.key);
        EXPECT_EQ(h.form.focused(), c.to) << static_cast<int>(c.from);
    }
    // Walking the whole order never lands out of sight.
    fakes::FormHarness h;
    for (int i = 0; i < 20; ++i) {
        h.form.keyPressed(Key::tab);
        for (auto hidden : {ControlId::Command1, ControlId::color, ControlId::Text1}) {
            EXPECT_NE(h.form.focused(), hidden);
        }
    }
}

TEST(KeyboardKeys, EachKeyRunsTheHandlerAClickWould) {
    struct Case {
        std::optional<ControlId> focus;
        Key key;
        bool taken;
        std::string ran;
    };
    const Case cases[] = {
        {ControlId::wbtn1, Key::enter, true, "folder browser;"},
        {ControlId::wbtn1, Key::space, true, "folder browser;"},
        {ControlId::wbtn2, Key::space, true, "open dialog;"},
        {ControlId::Image3, Key::enter, true, "colour dialog;"},
        {ControlId::Image5, Key::enter, true, "message;"},  // the design texts hold no colour
        {ControlId::Label1, Key::space, true, "about box;"},
        {ControlId::Label9, Key::enter, true, "web link;"},
        {ControlId::fold, Key::altDown, true, "folder browser;"},
        {ControlId::fold, Key::f4, true, "folder browser;"},
        {ControlId::img, Key::altDown, true, "open dialog;"},
        {ControlId::img, Key::f4, true, "open dialog;"},
        {ControlId::wbtn2, Key::escape, true, "end;"},
        {ControlId::fold, Key::escape, true, "end;"},
        {std::nullopt, Key::altF4, true, "end;"},
        // Space types in the boxes; Enter there does nothing.
        {ControlId::fold, Key::space, false, ""},
        {ControlId::img, Key::enter, true, ""},
        {std::nullopt, Key::enter, true, ""},
        {std::nullopt, Key::space, false, ""},
        // The pickers' keys belong to the boxes alone.
        {ControlId::wbtn1, Key::f4, false, ""},
        {ControlId::Label9, Key::altDown, false, ""},
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        if (c.focus) h.form.focusEntered(*c.focus);
        EXPECT_EQ(h.form.keyPressed(c.key), c.taken) << c.ran;
        EXPECT_EQ(whatRan(h), c.ran) << (c.focus ? static_cast<int>(*c.focus) : -1);
    }
}

TEST(KeyboardKeys, RestoreByKeyEmptiesThePictureBoxAsAClickDoes) {
    fakes::FormHarness h;
    h.form.focusEntered(ControlId::Image4);
    h.form.keyPressed(Key::space);
    EXPECT_EQ(h.text(ControlId::img), u"");
}

TEST(KeyboardFocus, AFocusedButtonIsLitWithoutChangingWhatTheMouseHits) {
    fakes::FormHarness h;
    h.form.focusEntered(ControlId::wbtn1);
    EXPECT_TRUE(h.form.showsLit(ControlId::btn1));
    EXPECT_FALSE(h.form.showsLit(ControlId::btn2));
    // The highlight's margin is still bare window area to the mouse.
    EXPECT_FALSE(h.form.control(ControlId::btn1).visible);
    EXPECT_EQ(controlAt(h.form.controls(), {4680, 710}), std::nullopt);
    // A move over bare area clears the mouse's highlights, not the focus.
    h.form.mouseMoved({4800, 1600}, 0);
    h.form.mouseMoved({9800, 4000}, 0);
    EXPECT_TRUE(h.form.showsLit(ControlId::btn1));
    EXPECT_FALSE(h.form.showsLit(ControlId::btn2));

    h.form.focusLeft(ControlId::wbtn2);  // not the focused one: nothing changes
    EXPECT_TRUE(h.form.showsLit(ControlId::btn1));
    h.form.focusLeft(ControlId::wbtn1);
    EXPECT_FALSE(h.form.showsLit(ControlId::btn1));
    EXPECT_EQ(h.form.focused(), std::nullopt);
}

TEST(Accessibility, EveryFocusableControlHasItsArabicNameAndRole) {
    struct Case {
        ControlId control;
        std::u16string name;
        AccessibleRole role;
    };
    const Case cases[] = {
        {ControlId::fold, u"حدد المجلد المراد تغيير خلفيتة :", AccessibleRole::editableText},
        {ControlId::img, u"حدد صورة لتكون خلفية للمجلد:", AccessibleRole::editableText},
        {ControlId::wbtn1, u"اختر المجلد", AccessibleRole::pushButton},
        {ControlId::wbtn2, u"اختر الصورة", AccessibleRole::pushButton},
        {ControlId::Image3, u"لون الخط", AccessibleRole::pushButton},
        {ControlId::iconBox, u"إظهار الصورة على أيقونة المجلد", AccessibleRole::checkBox},
        {ControlId::Image5, u"تطبيق", AccessibleRole::pushButton},
        {ControlId::Image4, u"إزالة الخلفية", AccessibleRole::pushButton},
        {ControlId::Label1, u"معلومات عن البرنامج والمبرمج", AccessibleRole::link},
        {ControlId::Label9, u"fbg.example.net", AccessibleRole::link},
    };
    fakes::FormHarness h;
    ASSERT_EQ(std::size(cases), mainwindow::tabOrder.size());
    for (const auto& c : cases) {
        auto info = h.form.accessible(c.control);
        EXPECT_EQ(info.name, c.name) << static_cast<int>(c.control);
        EXPECT_EQ(info.role, c.role) << static_cast<int>(c.control);
    }
}

TEST(Accessibility, TheColourButtonDescribesTheCurrentColourByItsNumber) {
    struct Case {
        std::u16string colour;
        std::u16string description;
    };
    const Case cases[] = {
        {u"16777215", u"16777215"}, {u"255", u"255"},
        {u"&HFF", u"255"},          {u"Text3", u""},  // the design text is no colour
        {u"-2147483643", u""},                        // a system colour has no number of its own
    };
    for (const auto& c : cases) {
        fakes::FormHarness h;
        h.type(ControlId::color, c.colour);
        EXPECT_EQ(h.form.accessible(ControlId::Image3).description, c.description);
    }
}

}  // namespace
