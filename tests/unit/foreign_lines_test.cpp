// Folders whose Desktop.ini someone else wrote: applying keeps every line of
// theirs in its place, and restoring gives their file back as it was.
#include "form1_test.h"

#include <optional>
#include <vector>

namespace {

using namespace form1_test;

constexpr char16_t musicIniPath[] = u"C:\\Music\\Desktop.ini";
constexpr std::u16string_view warning = u"ممنوع حذف هذا الملف لانه المسؤول على تغيير خلفية المجلد";
constexpr std::u16string_view ourTip =
    u"InfoTip=حمل برامج عربية متنوعة من شبكة الأدوات العربية المفتوحة https://fbg.example.net";
constexpr std::u16string_view views = u"[ExtShellFolderViews]";
constexpr std::u16string_view viewKey =
    u"{BE098140-A513-11D0-A3A4-00C04FD706EC}={BE098140-A513-11D0-A3A4-00C04FD706EC}";
constexpr std::u16string_view view = u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]";
constexpr std::u16string_view greeting =
    u"مع تحيات فريق تطوير خلفية المجلد .. الأدوات العربية المفتوحة ";

// What the apply command below writes under the view section's header.
std::vector<std::u16string_view> viewLines() {
    return {u"Attributes=1", u"IconArea_Image=C:\\a.jpg", u"IconArea_Text=255",
            greeting,        u"https://fbg.example.net",  u"team@fbg.example.net"};
}

std::string join(std::initializer_list<std::vector<std::u16string_view>> parts) {
    std::string bytes;
    for (const auto& part : parts) {
        for (auto line : part) bytes += cp1256(line) + "\r\n";
    }
    return bytes;
}

struct Case {
    const char* name;
    std::string before;
    std::uint32_t fileAttributes;
    bool applyFirst;
    std::string applied;                  // the file after applying
    std::optional<std::string> restored;  // the file after restoring; nothing when deleted
    std::vector<Message> restoreMessages;
    std::uint32_t folderAfterRestore;
};

std::vector<Case> cases() {
    const std::vector<std::u16string_view> music{
        u"", u"[.ShellClassInfo]",
        u"LocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21790",
        u"InfoTip=@%SystemRoot%\\system32\\shell32.dll,-12689",
        u"IconResource=%SystemRoot%\\system32\\imageres.dll,-108"};
    const std::vector<std::u16string_view> theirTip{u"[.ShellClassInfo]", u"InfoTip=صور الرحلة"};
    const std::vector<std::u16string_view> commented{u"; made by hand",
                                                     u"[.ShellClassInfo]",
                                                     u"; the blue one",
                                                     u"IconResource=C:\\blue.ico,0",
                                                     u"",
                                                     u"IconIndex=0"};
    const std::vector<std::u16string_view> ourViews{views, viewKey, view};
    const Message removed{std::u16string(messages::removed), u""};
    const std::uint32_t hiddenSystem = attribute::hidden | attribute::system;

    return {
        {"Windows' own Music folder",
         join({music}),
         hiddenSystem,
         true,
         join({{warning}, music, ourViews, viewLines()}),
         join({music}),
         {removed},
         attribute::readOnly},
        {"a person's InfoTip, never customised",
         join({theirTip}),
         attribute::hidden,
         false,
         "",
         join({theirTip}),
         {},
         attribute::readOnly},
        {"a person's InfoTip, customised",
         join({theirTip}),
         attribute::hidden,
         true,
         join({{warning}, theirTip, ourViews, viewLines()}),
         join({theirTip}),
         {removed},
         attribute::readOnly},
        {"comments and a blank line in [.ShellClassInfo]",
         join({commented}),
         0,
         true,
         join({{warning, u";before customisation: visible", u"; made by hand", u"[.ShellClassInfo]",
                ourTip, u"; the blue one", u"IconResource=C:\\blue.ico,0", u"", u"IconIndex=0"},
               ourViews,
               viewLines()}),
         join({commented}),
         {removed},
         attribute::readOnly},
        {"our own twelve lines",
         testData("fresh_cp1256.ini"),
         attribute::hidden,
         true,
         join({{warning, u"[.ShellClassInfo]", ourTip}, ourViews, viewLines()}),
         std::nullopt,
         {removed},
         attribute::readOnly},
    };
}

TEST(ForeignLines, ApplyThenRestore) {
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        fakes::FormHarness h;
        h.disk.addFolder(u"C:\\Music", attribute::readOnly);
        h.disk.addFile(musicIniPath, c.before, c.fileAttributes);
        h.type(ControlId::fold, u"C:\\Music\\");
        auto folder = [&] { return h.disk.at(u"C:\\Music").attributes & ~attribute::directory; };

        if (c.applyFirst) {
            h.type(ControlId::img, u"C:\\a.jpg");
            h.type(ControlId::color, u"255");
            h.form.Image5_Click();
            EXPECT_EQ(h.disk.at(musicIniPath).bytes, c.applied);
            // The file's own attributes stay; Hidden is added.
            EXPECT_EQ(h.disk.at(musicIniPath).attributes, c.fileAttributes | attribute::hidden);
            // Read-only, as Windows' own Customize tab marks a folder, is enough.
            EXPECT_EQ(folder(), attribute::readOnly);
        }

        h.messages.shown.clear();
        h.form.Image4_Click();
        EXPECT_EQ(h.messages.shown, c.restoreMessages);
        if (c.restored) {
            ASSERT_TRUE(h.disk.exists(musicIniPath));
            EXPECT_EQ(h.disk.at(musicIniPath).bytes, *c.restored);
            // As before apply, a visible file visible again.
            EXPECT_EQ(h.disk.at(musicIniPath).attributes, c.fileAttributes);
        } else {
            EXPECT_FALSE(h.disk.exists(musicIniPath));
        }
        EXPECT_EQ(folder(), c.folderAfterRestore);
    }
}

// A section of ours that stood after someone else's stays there, and so do
// the sections we add, so that restoring puts nothing out of order.
TEST(ForeignLines, OurSectionsStayWhereTheyStood) {
    fakes::FormHarness h;
    h.disk.addFolder(u"C:\\Music");
    const std::vector<std::u16string_view> theirs{
        u"[ViewState]",    u"Mode=",          u"",       u"[.ShellClassInfo]",
        u"IconFile=a.ico", u"[DeleteOnCopy]", u"Owner=x"};
    h.disk.addFile(musicIniPath, join({theirs}));
    h.type(ControlId::fold, u"C:\\Music\\");
    h.type(ControlId::img, u"C:\\a.jpg");
    h.type(ControlId::color, u"255");
    h.form.Image5_Click();
    EXPECT_EQ(h.disk.at(musicIniPath).bytes,
              join({{warning, u";before customisation: visible, folder not system", u"[ViewState]",
                     u"Mode=", u"", u"[.ShellClassInfo]", ourTip, u"IconFile=a.ico"},
                    {views, viewKey, view},
                    viewLines(),
                    {u"[DeleteOnCopy]", u"Owner=x"}}));
    h.form.Image4_Click();
    EXPECT_EQ(h.disk.at(musicIniPath).bytes, join({theirs}));
}

}  // namespace
