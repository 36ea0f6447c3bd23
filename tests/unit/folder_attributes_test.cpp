// The folder's attributes are the person's but for System: apply adds it,
// restoring that deletes the file takes only it off, and restoring that
// leaves other programs' lines keeps the folder as it is.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "test_support.h"

namespace {

using mainwindow::ControlId;
namespace attribute = platform::attribute;

constexpr char16_t iniPath[] = u"C:\\Data\\Desktop.ini";

std::uint32_t folderAttributes(const fakes::FormHarness& h) {
    return h.disk.at(u"C:\\Data").attributes & ~attribute::directory;
}

TEST(FolderAttributes, OnlySystemIsOurs) {
    const std::uint32_t combinations[] = {
        attribute::normal,
        attribute::hidden,
        attribute::readOnly,
        attribute::archive,
        attribute::notContentIndexed,
        attribute::system,
        attribute::hidden | attribute::readOnly | attribute::archive |
            attribute::notContentIndexed | attribute::pinned,
    };
    for (const std::uint32_t before : combinations) {
        for (const bool othersLines : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "folder " << before << ", their lines " << othersLines);
            fakes::FormHarness h;
            h.disk.addFolder(u"C:\\Data", before);
            if (othersLines) {
                h.disk.addFile(iniPath, iniFile({u"[.ShellClassInfo]", u"IconResource=a.ico,0"}));
            }
            h.type(ControlId::fold, u"C:\\Data\\");
            h.type(ControlId::img, u"C:\\a.jpg");
            h.form.Image5_Click();
            EXPECT_EQ(folderAttributes(h), before | attribute::system);

            h.form.Image4_Click();
            EXPECT_EQ(h.disk.exists(iniPath), othersLines);
            EXPECT_EQ(folderAttributes(h),
                      othersLines ? before | attribute::system : before & ~attribute::system);
        }
    }
}

}  // namespace
