// A folder on another machine is read only once its text stands still:
// typing a server's name asks no machine for each of its beginnings.
#include <gtest/gtest.h>

#include <chrono>

#include "form_harness.h"
#include "test_support.h"

namespace {

using mainwindow::ControlId;

const std::string customised =
    iniFile({u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\Pictures\\Sky.jpg",
             u"IconArea_Text=255"});

TEST(Form1NetworkRead, TypingAServersNameContactsNothingUntilThePause) {
    struct Case {
        const char* name;
        std::u16string folder;
        std::size_t networkFrom;  // the length from which the text names another machine
    };
    const Case cases[] = {
        {"a share", u"\\\\fileserver\\share\\", 2},
        {"a share in the long form", u"\\\\?\\UNC\\fileserver\\share\\", 2},
        {"a network drive", u"N:\\share\\", 2},
        {"a local folder", u"C:\\Data\\", std::u16string::npos},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FormHarness h;
        h.network.networkDrives = {u'N'};
        h.background.deferred = true;
        h.disk.addFile(c.folder + u"Desktop.ini", customised);

        for (std::size_t length = 1; length <= c.folder.size(); ++length) {
            SCOPED_TRACE(length);
            h.type(ControlId::fold, c.folder.substr(0, length));
            const bool readAtOnce = !h.background.waiting.empty();
            h.background.waiting.clear();
            EXPECT_EQ(readAtOnce, length < c.networkFrom);
            EXPECT_EQ(h.pause.waiting != nullptr, length >= c.networkFrom);
        }
        // Emptying the picture box asks for no picture file.
        EXPECT_EQ(h.pictures.loads, std::vector<std::u16string>{u""});
        if (c.networkFrom == std::u16string::npos) continue;

        // The person stops typing: the folder as it now stands is read, once.
        EXPECT_EQ(h.pause.lastPause, std::chrono::milliseconds(500));
        ASSERT_TRUE(h.pause.pass());
        ASSERT_EQ(h.background.waiting.size(), 1u);
        h.background.finishOne();
        EXPECT_EQ(h.text(ControlId::img), u"C:\\Pictures\\Sky.jpg");
        EXPECT_EQ(h.text(ControlId::color), u"255");
    }
}

// A local folder that takes a share's place is read at once, and the read
// that waited for the share never comes.
TEST(Form1NetworkRead, ALocalFolderCancelsTheWaitingRead) {
    fakes::FormHarness h;
    h.disk.addFile(u"C:\\Data\\Desktop.ini", customised);
    h.type(ControlId::fold, u"\\\\fileserver\\share\\");
    h.type(ControlId::fold, u"C:\\Data\\");
    EXPECT_EQ(h.text(ControlId::img), u"C:\\Pictures\\Sky.jpg");
    EXPECT_FALSE(h.pause.pass());
}

}  // namespace
