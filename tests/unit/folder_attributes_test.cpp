// The folder's attributes are the person's but for System: apply adds it to
// a folder with neither System nor Read-only (Windows' own Customize tab
// marks a folder Read-only), and restoring, whether it deletes the file or
// leaves other programs' lines, gives the folder back exactly what it had.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "test_support.h"

namespace {

using mainwindow::ControlId;
namespace attribute = platform::attribute;

using test_folder::iniPath;

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
            const bool marked = before & (attribute::system | attribute::readOnly);
            EXPECT_EQ(folderAttributes(h), marked ? before : before | attribute::system);

            h.form.Image4_Click();
            EXPECT_EQ(h.disk.exists(iniPath), othersLines);
            EXPECT_EQ(folderAttributes(h), before);
        }
    }
}

// A file written before the folder's mark was recorded restores as it did
// then: the folder keeps System while the file stays, and loses it with it.
TEST(FolderAttributes, AFileWithoutTheFoldersRecordRestoresAsBefore) {
    const std::vector<std::u16string_view> ours{u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]",
                                                u"Attributes=1", u"IconArea_Image=C:\\a.jpg"};
    for (const bool othersLines : {false, true}) {
        SCOPED_TRACE(othersLines ? "rewritten" : "deleted");
        fakes::FormHarness h;
        h.disk.addFolder(u"C:\\Data", attribute::system);
        std::string bytes;
        if (othersLines) bytes = iniFile({u"[.ShellClassInfo]", u"IconResource=a.ico,0"});
        for (auto line : ours) bytes += cp1256(line) + "\r\n";
        h.disk.addFile(iniPath, bytes, attribute::hidden);
        h.type(ControlId::fold, u"C:\\Data\\");
        h.form.Image4_Click();
        EXPECT_EQ(h.disk.exists(iniPath), othersLines);
        EXPECT_EQ(folderAttributes(h), othersLines ? attribute::system : attribute::normal);
    }
}

}  // namespace
