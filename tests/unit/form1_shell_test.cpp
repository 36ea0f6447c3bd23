// The window tells the shell of every folder whose customisation changed,
// and of no other.
#include <gtest/gtest.h>

#include "form_harness.h"

namespace {

using mainwindow::ControlId;

TEST(Form1Shell, ToldAfterEachChangeOnly) {
    fakes::FormHarness h;
    h.disk.addFolder(u"C:\\Data");
    h.type(ControlId::fold, u"C:\\Data\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"255");
    h.form.Image5_Click();
    EXPECT_EQ(h.shell.changed, std::vector<std::u16string>{u"C:\\Data\\"});

    h.form.Image4_Click();
    EXPECT_EQ(h.shell.changed, (std::vector<std::u16string>{u"C:\\Data\\", u"C:\\Data\\"}));

    // Nothing to remove, and an apply that fails, change nothing.
    h.form.Image4_Click();
    h.type(ControlId::fold, u"C:\\Nowhere\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"255");
    h.form.Image5_Click();
    EXPECT_EQ(h.shell.changed.size(), 2u);
}

}  // namespace
