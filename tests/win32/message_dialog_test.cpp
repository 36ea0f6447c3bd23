// The style every message box is asked for. Wine's own box ignores the
// reading-order flags, so what the program passes is checked here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/message_dialog.h"

namespace {

struct Shown {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring title;
    UINT style = 0;
};

std::vector<Shown>& shown() {
    static std::vector<Shown> boxes;
    return boxes;
}

int WINAPI recordBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT style) {
    shown().push_back({owner, text, title, style});
    return IDOK;
}

TEST(MessageDialog, ArabicReadsRightToLeftFromTheRightEdgeWithOneOkButton) {
    win32::ComOnFirstUse com(COINIT_APARTMENTTHREADED);
    win32::ThemedControls themed(0);
    win32::MessageDialog dialog(com, themed, recordBox);
    shown().clear();
    dialog.show(u"البرنامج من تصميم\r\nname@example.net", u"معلومات");
    dialog.show(u"تم", u"");

    ASSERT_EQ(shown().size(), 2u);
    for (const Shown& box : shown()) {
        EXPECT_EQ(box.style, UINT{MB_OK | MB_RTLREADING | MB_RIGHT});
    }
    EXPECT_EQ(shown()[0].text, L"البرنامج من تصميم\r\nname@example.net");
    EXPECT_EQ(shown()[0].title, L"معلومات");
    EXPECT_EQ(shown()[1].title, L"");
}

}  // namespace
