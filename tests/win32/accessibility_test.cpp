// What assistive tools read off the real program's window through oleacc, as
// a screen reader asks for it: the focus walked with Tab, each control's name,
// role, place and value, what lies under a point, and the default action.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "mainwindow/controls.h"
#include "mainwindow/win32/dpi.h"
#include "mainwindow/win32/painter.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wic.h"
#include "platform/win32/wide_text.h"
#include "running_program.h"
#include "test_environment.h"

namespace {

struct Announced {
    std::wstring name;
    LONG role = 0;
    bool operator==(const Announced&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Announced& a) {
    return out << win32::fromWide(a.name).size() << " characters, role " << a.role;
}

win32::ComPtr<IAccessible> accessibleOf(HWND window) {
    win32::ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_PPV_ARGS(&object));
    return object;
}

// The object itself, not one of its children.
VARIANT selfChild() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring textOf(IAccessible& object, HRESULT (IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    if (FAILED((object.*get)(selfChild(), &text)) || !text) return L"";
    std::wstring result(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return result;
}

Announced announced(IAccessible& object, VARIANT child = selfChild()) {
    Announced a;
    BSTR name = nullptr;
    if (SUCCEEDED(object.get_accName(child, &name)) && name) {
        a.name.assign(name, ::SysStringLen(name));
        ::SysFreeString(name);
    }
    VARIANT role{};
    if (SUCCEEDED(object.get_accRole(child, &role)) && role.vt == VT_I4) a.role = role.lVal;
    return a;
}

Announced announced(HWND window) {
    auto object = accessibleOf(window);
    return object ? announced(*object.Get()) : Announced{};
}

LONG stateOf(HWND window) {
    auto object = accessibleOf(window);
    VARIANT state{};
    if (!object || FAILED(object->get_accState(selfChild(), &state)) || state.vt != VT_I4) {
        return 0;
    }
    return state.lVal;
}

// Where the control's accessible object says it is, in client coordinates
// of `window`: what a magnifier follows and a screen reader highlights.
RECT placeOf(HWND control, HWND window) {
    RECT r{};
    auto object = accessibleOf(control);
    LONG left = 0, top = 0, width = 0, height = 0;
    if (!object || FAILED(object->accLocation(&left, &top, &width, &height, selfChild()))) {
        return r;
    }
    r = RECT{left, top, left + width, top + height};
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class ProgramAccessibility : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        thread_ = ::GetWindowThreadProcessId(window_, nullptr);
    }

    void TearDown() override {
        if (program_) program_->close();
    }

    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
    }

    // A Tab as the keyboard gives it, through the program's message loop.
    HWND tab() {
        HWND before = focus();
        ::PostMessageW(before ? before : window_, WM_KEYDOWN, VK_TAB, 1);
        waitFor([&] { return focus() != before; });
        return focus();
    }

    // Where the window draws a control, in its client coordinates.
    RECT painted(mainwindow::ControlId id) const {
        static const mainwindow::Controls design = mainwindow::designControls();
        return mainwindow::win32::pixelRect(design[mainwindow::indexOf(id)].rect,
                                            mainwindow::win32::DpiSource().of(window_));
    }

    // The title of a dialog the program shows over its window, if any.
    std::wstring dialogTitle() const {
        struct Search {
            DWORD thread;
            std::wstring title;
        } search{thread_, {}};
        ::EnumThreadWindows(
            thread_,
            [](HWND w, LPARAM data) -> BOOL {
                wchar_t name[16]{};
                ::GetClassNameW(w, name, 16);
                if (std::wstring(name) != L"#32770" || !::IsWindowVisible(w)) return TRUE;
                wchar_t title[128]{};
                ::GetWindowTextW(w, title, 128);
                reinterpret_cast<Search*>(data)->title = title;
                ::PostMessageW(w, WM_COMMAND, IDOK, 0);
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.title;
    }

    // Tabs until `name` has the focus; null when it never does.
    HWND tabTo(const std::wstring& name) {
        for (int i = 0; i < 12; ++i) {
            HWND focused = tab();
            if (announced(focused).name == name) return focused;
        }
        return nullptr;
    }

    DWORD thread_ = 0;
};

constexpr wchar_t aboutTitle[] = L"معلومات عن البرنامج";

TEST_F(ProgramAccessibility, TabWalksTheControlsAndEachAnnouncesItsNameRoleAndPlace) {
    using mainwindow::ControlId;
    struct Step {
        ControlId control;
        Announced announced;
    };
    const Step expected[] = {
        {ControlId::fold, {L"حدد المجلد المراد تغيير خلفيتة :", ROLE_SYSTEM_TEXT}},
        {ControlId::wbtn1, {L"اختر المجلد", ROLE_SYSTEM_PUSHBUTTON}},
        {ControlId::img, {L"حدد صورة لتكون خلفية للمجلد:", ROLE_SYSTEM_TEXT}},
        {ControlId::wbtn2, {L"اختر الصورة", ROLE_SYSTEM_PUSHBUTTON}},
        {ControlId::Image3, {L"لون الخط", ROLE_SYSTEM_PUSHBUTTON}},
        {ControlId::iconBox, {L"إظهار الصورة على أيقونة المجلد", ROLE_SYSTEM_CHECKBUTTON}},
        {ControlId::Image5, {L"تطبيق", ROLE_SYSTEM_PUSHBUTTON}},
        {ControlId::Image4, {L"إزالة الخلفية", ROLE_SYSTEM_PUSHBUTTON}},
        {ControlId::Label1, {L"معلومات عن البرنامج والمبرمج", ROLE_SYSTEM_LINK}},
        {ControlId::Label9, {L"fbg.example.net", ROLE_SYSTEM_LINK}},
        {ControlId::fold, {L"حدد المجلد المراد تغيير خلفيتة :", ROLE_SYSTEM_TEXT}},  // round again
    };
    // At start the window itself has the focus, so a screen reader opens
    // with its title, and nothing out of sight is announced.
    ASSERT_TRUE(waitFor([&] { return focus() == window_; })) << "the first focus is a control";

    for (std::size_t i = 0; i < std::size(expected); ++i) {
        HWND focused = tab();
        ASSERT_TRUE(focused) << "step " << i;
        Announced got = announced(focused);
        // Windows' oleacc proxy for the Button class names a check box's role
        // (ROLE_SYSTEM_CHECKBUTTON); Wine's has no such proxy and answers the
        // client role, the name still being the box's caption.
        if (expected[i].control == ControlId::iconBox && got.role == ROLE_SYSTEM_CLIENT) {
            got.role = ROLE_SYSTEM_CHECKBUTTON;
        }
        EXPECT_EQ(got, expected[i].announced) << "step " << i;
        // Found where it is drawn: a magnifier follows it there.
        const RECT place = placeOf(focused, window_), drawn = painted(expected[i].control);
        RECT inside{};
        EXPECT_TRUE(!::IsRectEmpty(&place) && ::IntersectRect(&inside, &place, &drawn) &&
                    ::EqualRect(&inside, &place))
            << "step " << i << ": " << place.left << "," << place.top << " to " << place.right
            << "," << place.bottom;
    }
}

TEST_F(ProgramAccessibility, WhatLiesOutOfSightIsHiddenFromAssistiveTools) {
    std::vector<HWND> outOfSight;
    ::EnumChildWindows(
        window_,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&outOfSight));
    RECT client{};
    ::GetClientRect(window_, &client);
    std::erase_if(outOfSight, [&](HWND child) {
        RECT at{};
        ::GetWindowRect(child, &at);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&at), 2);
        return at.top < client.bottom;
    });
    EXPECT_EQ(outOfSight.size(), 3u) << "Command1, color and Text1";
    for (HWND child : outOfSight) {
        EXPECT_TRUE(stateOf(child) & STATE_SYSTEM_INVISIBLE);
    }
    // Nor do the hidden boxes borrow a name from a box in sight.
    const std::vector<HWND> boxes = editBoxes(window_);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(announced(boxes[2]).name, L"");
    EXPECT_EQ(announced(boxes[3]).name, L"");
}

TEST_F(ProgramAccessibility, APointerOverAControlFindsItByName) {
    using mainwindow::ControlId;
    const std::pair<ControlId, std::wstring> controls[] = {
        {ControlId::fold, L"حدد المجلد المراد تغيير خلفيتة :"},
        {ControlId::wbtn1, L"اختر المجلد"},
        {ControlId::wbtn2, L"اختر الصورة"},
        {ControlId::Image3, L"لون الخط"},
        {ControlId::Image5, L"تطبيق"},
        {ControlId::Image4, L"إزالة الخلفية"},
        {ControlId::Label1, L"معلومات عن البرنامج والمبرمج"},
        {ControlId::Label9, L"fbg.example.net"},
    };
    ::SetForegroundWindow(window_);
    for (const auto& [control, name] : controls) {
        const RECT drawn = painted(control);
        POINT centre{(drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2};
        ::ClientToScreen(window_, &centre);
        win32::ComPtr<IAccessible> object;
        VARIANT child{};
        ASSERT_TRUE(SUCCEEDED(::AccessibleObjectFromPoint(centre, object.GetAddressOf(), &child)))
            << win32::fromWide(name).size();
        EXPECT_EQ(announced(*object.Get(), child).name, name) << static_cast<int>(control);
        ::VariantClear(&child);
    }
}

TEST_F(ProgramAccessibility, TheFolderBoxReadsAsTheTypedPath) {
    const std::vector<HWND> boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 1u);
    ::PostMessageW(boxes[0], EM_SETSEL, 0, -1);
    const std::wstring typed = L"D:\\صور\\";
    for (wchar_t c : typed) ::PostMessageW(boxes[0], WM_CHAR, c, 1);
    auto object = accessibleOf(boxes[0]);
    ASSERT_TRUE(object);
    EXPECT_TRUE(waitFor([&] { return textOf(*object.Get(), &IAccessible::get_accValue) == typed; }))
        << win32::fromWide(textOf(*object.Get(), &IAccessible::get_accValue)).size();
}

TEST_F(ProgramAccessibility, SpacePressesAsItComesUpOnTheControlItWentDownOn) {
    // Down on the colour button, up on apply after Tab: neither runs (each
    // would show a dialog). The next Tab comes after both in the queue.
    HWND colour = tabTo(L"لون الخط");
    ASSERT_TRUE(colour);
    ::PostMessageW(colour, WM_KEYDOWN, VK_SPACE, 1);
    HWND iconBox = tab();
    HWND apply = tab();
    ASSERT_NE(apply, iconBox);
    ::PostMessageW(apply, WM_KEYUP, VK_SPACE, 0xC0000001);
    HWND restore = tab();
    ASSERT_NE(restore, apply);
    EXPECT_EQ(dialogTitle(), L"");

    HWND about = tab();
    ::PostMessageW(about, WM_KEYDOWN, VK_SPACE, 1);
    ::PostMessageW(about, WM_KEYUP, VK_SPACE, 0xC0000001);
    std::wstring shown;
    EXPECT_TRUE(waitFor([&] { return !(shown = dialogTitle()).empty(); }));
    EXPECT_EQ(shown, aboutTitle);
}

TEST_F(ProgramAccessibility, TheDefaultActionPressesButAnotherProgramsMessagesDoNot) {
    // Whatever another program posts to the stand-ins presses nothing.
    for (UINT message = WM_APP; message < WM_APP + 8; ++message) {
        for (HWND child = ::GetWindow(window_, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            ::PostMessageW(child, message, 0, 0);
        }
    }
    HWND about = tabTo(L"معلومات عن البرنامج والمبرمج");
    ASSERT_TRUE(about);
    auto object = accessibleOf(about);
    ASSERT_TRUE(object);
    EXPECT_EQ(textOf(*object.Get(), &IAccessible::get_accDefaultAction), L"انتقال");
    ASSERT_TRUE(SUCCEEDED(object->accDoDefaultAction(selfChild())));
    std::wstring shown;
    EXPECT_TRUE(waitFor([&] { return !(shown = dialogTitle()).empty(); }));
    EXPECT_EQ(shown, aboutTitle);
}

TEST_F(ProgramAccessibility, TheColourButtonDescribesTheColourByItsNumber) {
    // The third box holds the colour; a change there reaches the button.
    const std::vector<HWND> boxes = editBoxes(window_);
    ASSERT_GE(boxes.size(), 3u);
    ::SendMessageW(boxes[2], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"16744448"));

    HWND colourButton = nullptr;
    for (int i = 0; i < 12 && !colourButton; ++i) {
        HWND focused = tab();
        if (announced(focused).name == L"لون الخط") colourButton = focused;
    }
    ASSERT_TRUE(colourButton);
    auto object = accessibleOf(colourButton);
    ASSERT_TRUE(object);
    EXPECT_EQ(textOf(*object.Get(), &IAccessible::get_accDescription), L"16744448");
}

}  // namespace
