// What assistive tools read off the real program's window: the focus walked
// with Tab, and each focused control's name, role and description through
// oleacc, as a screen reader asks for them.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

Announced announced(HWND window) {
    Announced a;
    auto object = accessibleOf(window);
    if (!object) return a;
    a.name = textOf(*object.Get(), &IAccessible::get_accName);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(selfChild(), &role)) && role.vt == VT_I4) a.role = role.lVal;
    return a;
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

    DWORD thread_ = 0;
};

TEST_F(ProgramAccessibility, TabWalksTheControlsAndEachAnnouncesItsNameAndRole) {
    const Announced expected[] = {
        {L"حدد المجلد المراد تغيير خلفيتة :", ROLE_SYSTEM_TEXT},
        {L"اختر المجلد", ROLE_SYSTEM_PUSHBUTTON},
        {L"حدد صورة لتكون خلفية للمجلد:", ROLE_SYSTEM_TEXT},
        {L"اختر الصورة", ROLE_SYSTEM_PUSHBUTTON},
        {L"لون الخط", ROLE_SYSTEM_PUSHBUTTON},
        {L"تطبيق", ROLE_SYSTEM_PUSHBUTTON},
        {L"إزالة الخلفية", ROLE_SYSTEM_PUSHBUTTON},
        {L"معلومات عن البرنامج والمبرمج", ROLE_SYSTEM_LINK},
        {L"fbg.example.net", ROLE_SYSTEM_LINK},
        {L"حدد المجلد المراد تغيير خلفيتة :", ROLE_SYSTEM_TEXT},  // round again
    };
    // The window takes the focus as it is activated and hands it on to a
    // child at once; an observer in another process may see either.
    ASSERT_TRUE(waitFor([&] { return focus() != nullptr && focus() != window_; }));
    // At start the focus is on nothing that can be seen.
    RECT client{}, at{};
    ::GetClientRect(window_, &client);
    ::GetWindowRect(focus(), &at);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&at), 2);
    EXPECT_GE(at.top, client.bottom) << "the first focus is in sight";

    for (std::size_t i = 0; i < std::size(expected); ++i) {
        HWND focused = tab();
        ASSERT_TRUE(focused) << "step " << i;
        EXPECT_EQ(announced(focused), expected[i]) << "step " << i;
        // Each is found where it is drawn, within the window.
        const RECT place = placeOf(focused, window_);
        RECT inside{};
        EXPECT_TRUE(::IntersectRect(&inside, &place, &client) && ::EqualRect(&inside, &place))
            << "step " << i << ": " << place.left << "," << place.top << " to " << place.right
            << "," << place.bottom;
    }
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
