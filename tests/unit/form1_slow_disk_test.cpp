// The commands over a disk that answers late: the window's thread never
// waits for it, and what comes back late is used only where it still fits.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/messages.h"
#include "test_support.h"

namespace {

using fakes::Message;
using mainwindow::ControlId;
namespace attribute = platform::attribute;
namespace messages = mainwindow::messages;

struct Form1SlowDisk : ::testing::Test {
    fakes::FormHarness h;
    Form1SlowDisk() {
        for (const char16_t* folder : {u"C:\\A", u"C:\\B"}) {
            h.disk.addFolder(folder);
            const std::u16string name = std::u16string(folder).substr(3);
            h.disk.addFile(std::u16string(folder) + u"\\Desktop.ini",
                           iniFile({u"IconArea_Image=C:\\" + name + u".jpg", u"IconArea_Text=7"}));
        }
        h.background.deferred = true;
    }
};

TEST_F(Form1SlowDisk, OnlyTheNewestReadIsMadeAndOnlyForTheFolderStillInTheBox) {
    h.type(ControlId::fold, u"C:\\A\\");
    h.type(ControlId::fold, u"C:\\B\\");
    // The boxes are emptied at once; the read of A never starts.
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_EQ(h.text(ControlId::color), u"0");
    ASSERT_EQ(h.background.waiting.size(), 1u);
    ASSERT_TRUE(h.background.finishOne());
    EXPECT_EQ(h.text(ControlId::img), u"C:\\B.jpg");
    EXPECT_EQ(h.text(ControlId::color), u"7");

    // A read under way when the box changes again is dropped on arrival.
    h.type(ControlId::fold, u"C:\\A\\");
    auto underWay = std::move(h.background.waiting.front());
    h.background.waiting.pop_front();
    h.type(ControlId::fold, u"C:\\B\\x");
    underWay.work();
    underWay.done();
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_EQ(h.text(ControlId::color), u"0");
}

TEST_F(Form1SlowDisk, ApplyAndRemoveTakeNoInputUntilTheDiskHasAnswered) {
    h.disk.addFolder(u"C:\\C");
    h.type(ControlId::fold, u"C:\\C\\");
    h.background.finishOne();
    h.type(ControlId::img, u"C:\\new.jpg");
    h.type(ControlId::color, u"7");
    h.form.Image5_Click();
    EXPECT_EQ(h.frame.calls, (std::vector<std::string>{"input off"}));
    EXPECT_TRUE(h.messages.shown.empty());
    ASSERT_TRUE(h.background.finishOne());
    EXPECT_EQ(h.frame.calls, (std::vector<std::string>{"input off", "input on"}));
    EXPECT_EQ(h.messages.shown, (std::vector<Message>{{std::u16string(messages::applied), u""}}));

    h.messages.shown.clear();
    h.frame.calls.clear();
    h.form.Image4_Click();
    EXPECT_EQ(h.text(ControlId::img), u"");
    EXPECT_TRUE(h.messages.shown.empty());
    ASSERT_TRUE(h.background.finishOne());
    EXPECT_EQ(h.messages.shown, (std::vector<Message>{{std::u16string(messages::removed), u""}}));
    // The folder loses its mark after the message, still off the window's
    // thread and still without input.
    EXPECT_NE(h.disk.at(u"C:\\C").attributes & attribute::system, 0u);
    ASSERT_TRUE(h.background.finishOne());
    EXPECT_EQ(h.disk.at(u"C:\\C").attributes & attribute::system, 0u);
    EXPECT_EQ(h.frame.calls,
              (std::vector<std::string>{"input off", "input on", "input off", "input on"}));
}

}  // namespace
