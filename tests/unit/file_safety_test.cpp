// What the file layer promises whatever the disk does: busy files are waited
// for, every documented failure of the replace leaves the folder's file with
// its old text or its new one, a backup is never lost or taken for a
// leftover, and the reason reaches the person.
#include <gtest/gtest.h>

#include <numeric>

#include "customisation/apply.h"
#include "customisation/drive_root.h"
#include "customisation/remove.h"
#include "customisation/side_files.h"
#include "fake_code_page.h"
#include "fake_disk.h"
#include "form_harness.h"
#include "mainwindow/messages.h"
#include "test_support.h"

namespace {

using customisation::FailureReason;
using customisation::RemoveResult;
using fakes::FakeDisk;
namespace attribute = platform::attribute;
namespace error = platform::error;

using test_folder::folder;
using test_folder::iniPath;
const std::u16string ini = iniPath;

// A file of another program's, which apply merges into and restore rewrites.
const std::string theirs = iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0"});

struct FileSafety : ::testing::Test {
    FakeDisk disk;
    fakes::Cp1256 codePage;
    customisation::Disk on{disk, disk, codePage};
    FailureReason reason;

    FileSafety() { disk.addFolder(u"C:\\Data"); }

    bool apply() {
        reason = {};
        return customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"255"}, &reason);
    }
    RemoveResult remove() {
        reason = {};
        return customisation::removeCustomisation(on, folder, &reason);
    }
    std::uint32_t waited() const {
        return std::accumulate(disk.pauses.begin(), disk.pauses.end(), 0u);
    }
    // Every file but Desktop.ini itself.
    std::vector<std::u16string> sideFiles() const {
        std::vector<std::u16string> names;
        for (const auto& [path, entry] : disk.files()) {
            if (path != u"c:\\data\\desktop.ini") names.push_back(path);
        }
        return names;
    }
};

TEST_F(FileSafety, BusyFilesAreWaitedForAboutTwoSeconds) {
    struct Case {
        const char* what;
        std::u16string path;  // held by another program
        platform::SystemError error;
        int times;  // how many operations it refuses; forever when negative
        bool applied;
    };
    const Case cases[] = {
        {"Desktop.ini, a moment", ini, error::sharingViolation, 3, true},
        {"Desktop.ini, locked a moment", ini, error::lockViolation, 3, true},
        {"the temporary name, a moment", customisation::temporaryName(ini, 1),
         error::sharingViolation, 2, true},
        {"Desktop.ini, for good", ini, error::sharingViolation, -1, false},
        {"Desktop.ini, locked for good", ini, error::lockViolation, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDisk fresh;
        fresh.addFolder(u"C:\\Data");
        fresh.addFile(ini, theirs);
        fresh.holdBusy(c.path, c.times, c.error);
        customisation::Disk disk{fresh, fresh, codePage};
        FailureReason why;
        EXPECT_EQ(customisation::applyCustomisation(disk, folder, {u"C:\\a.jpg", u"255"}, &why),
                  c.applied);
        const auto total = std::accumulate(fresh.pauses.begin(), fresh.pauses.end(), 0u);
        if (c.applied) {
            EXPECT_LT(total, 500u);
        } else {
            EXPECT_GE(total, 2000u);
            EXPECT_LE(total, 2300u);
            EXPECT_EQ(why.error, c.error);
            EXPECT_EQ(fresh.at(ini).bytes, theirs);
            EXPECT_EQ(fresh.files().size(), 1u);
        }
    }
}

TEST_F(FileSafety, TheReplaceTheBackupsRemovalAndTheDeleteWaitToo) {
    disk.addFile(ini, theirs);
    disk.failReplaceWith(error::sharingViolation, 3);
    // The backup is held a moment just as the replace puts it down.
    disk.beforeReplace = [&] { disk.holdBusy(customisation::backupName(ini, 1), 2); };
    ASSERT_TRUE(apply());
    disk.beforeReplace = nullptr;
    EXPECT_EQ(sideFiles(), std::vector<std::u16string>{});

    disk.addFile(
        ini, iniFile({u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg"}));
    bool held = false;
    disk.beforeRemoveIfUnchanged = [&] {
        if (!std::exchange(held, true)) disk.holdBusy(ini, 2);
    };
    EXPECT_EQ(remove(), RemoveResult::deleted);
    EXPECT_FALSE(disk.exists(ini));
}

TEST_F(FileSafety, OnlyATakenNameIsSteppedOver) {
    // A leftover temporary file is deleted, one still held is passed by, and
    // a backup is never touched.
    const auto backup = customisation::backupName(ini, 1);
    disk.addFile(ini, theirs);
    disk.addFile(customisation::temporaryName(ini, 1), "leftover");
    disk.addFile(customisation::temporaryName(ini, 2), "held");
    disk.lock(customisation::temporaryName(ini, 2));
    disk.addFile(backup, "an old original", attribute::hidden);
    ASSERT_TRUE(apply());
    EXPECT_FALSE(disk.exists(customisation::temporaryName(ini, 1)));
    EXPECT_EQ(disk.at(customisation::temporaryName(ini, 2)).bytes, "held");
    EXPECT_EQ(disk.at(backup).bytes, "an old original");

    // Any other failure ends the search at once.
    FakeDisk empty;
    customisation::Disk nowhere{empty, empty, codePage};
    FailureReason why;
    EXPECT_FALSE(
        customisation::applyCustomisation(nowhere, u"C:\\Missing\\", {u"C:\\a.jpg", u"0"}, &why));
    EXPECT_EQ(why.error, error::pathNotFound);
    EXPECT_EQ(empty.creations, 1);
    EXPECT_TRUE(empty.pauses.empty());
}

// ReplaceFileW's documented failures, each leaving the files as the system
// documents for that code with a backup name given (apply to a folder not
// yet marked) and without one (apply to a marked folder, restore). Where the
// old file has left its name, the new text takes its place: Desktop.ini ends
// holding the old text or the new one, and success is reported only with
// the new one in place.
TEST_F(FileSafety, EveryDocumentedFailureOfTheReplaceLeavesTheOldTextOrTheNew) {
    enum class Step { applyKeepingABackup, applyToAMarkedFolder, restore };
    enum class Left { oldText, newText };
    struct Case {
        platform::SystemError code;
        Step step;
        Left left;
        bool oldTextUnderTheSystemsName = false;
    };
    const Case cases[] = {
        {error::unableToRemoveReplaced, Step::applyKeepingABackup, Left::oldText},
        {error::unableToRemoveReplaced, Step::applyToAMarkedFolder, Left::oldText},
        {error::unableToRemoveReplaced, Step::restore, Left::oldText},
        {error::unableToMoveReplacement, Step::applyKeepingABackup, Left::oldText},
        {error::unableToMoveReplacement, Step::applyToAMarkedFolder, Left::newText},
        {error::unableToMoveReplacement, Step::restore, Left::newText},
        {error::unableToMoveReplacement2, Step::applyKeepingABackup, Left::oldText},
        {error::unableToMoveReplacement2, Step::applyToAMarkedFolder, Left::newText, true},
        {error::unableToMoveReplacement2, Step::restore, Left::newText, true},
        {error::accessDenied, Step::applyKeepingABackup, Left::oldText},
        {error::accessDenied, Step::restore, Left::oldText},
        {error::invalidParameter, Step::applyToAMarkedFolder, Left::oldText},
    };
    const std::string ours =
        iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0",
                 u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg"});
    const std::uint32_t fileAttributes = attribute::hidden | attribute::system;
    // The step on a fresh disk, the replace failing with `code` unless none.
    auto run = [&](const Case& c, platform::SystemError code) {
        auto disk = std::make_unique<FakeDisk>();
        disk->addFolder(u"C:\\Data", c.step == Step::applyKeepingABackup ? 0 : attribute::system);
        disk->addFile(ini, c.step == Step::restore ? ours : theirs, fileAttributes);
        if (code) disk->failReplaceWith(code);
        customisation::Disk on{*disk, *disk, codePage};
        const bool done =
            c.step == Step::restore
                ? customisation::removeCustomisation(on, folder) == RemoveResult::rewritten
                : customisation::applyCustomisation(on, folder, {u"C:\\a.jpg", u"0"});
        return std::pair(done, std::move(disk));
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "error " << c.code << ", step " << int(c.step));
        const auto [_, unhindered] = run(c, error::none);
        const auto [done, disk] = run(c, c.code);
        const std::string& oldText = c.step == Step::restore ? ours : theirs;
        EXPECT_EQ(done, c.left == Left::newText);
        ASSERT_TRUE(disk->exists(ini));
        EXPECT_EQ(disk->at(ini).bytes,
                  c.left == Left::newText ? unhindered->at(ini).bytes : oldText);
        EXPECT_EQ(disk->at(ini).attributes, fileAttributes);
        const auto systemsName = FakeDisk::systemsNameFor(ini);
        EXPECT_EQ(disk->exists(systemsName), c.oldTextUnderTheSystemsName);
        if (disk->exists(systemsName)) {
            EXPECT_EQ(disk->at(systemsName).bytes, oldText);
        }
        EXPECT_EQ(disk->files().size(), c.oldTextUnderTheSystemsName ? 2u : 1u)
            << "a temporary file or backup was left";
    }
}

TEST_F(FileSafety, TheOnlyCopyOfTheNewTextIsKeptUntilItCanTakeItsPlace) {
    // Restore's replace leaves no Desktop.ini, and the empty place is held
    // for good before the new text can move into it.
    const std::string ours =
        iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0",
                 u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg"});
    disk.addFile(ini, ours, attribute::hidden);
    disk.failReplaceWith(error::unableToMoveReplacement, 1);
    int replaces = 0;
    disk.beforeReplace = [&] {
        if (++replaces == 2) disk.holdBusy(ini, -1);
    };
    EXPECT_EQ(remove(), RemoveResult::failed);
    EXPECT_EQ(reason.error, error::unableToMoveReplacement);
    EXPECT_FALSE(disk.exists(ini));
    const auto backup = customisation::backupName(ini, 1);
    ASSERT_TRUE(disk.exists(backup));
    EXPECT_TRUE(disk.at(backup).attributes & attribute::hidden);

    // The next restore puts it in place, and finds nothing of ours left.
    disk.beforeReplace = nullptr;
    disk.holdBusy(ini, 0);
    EXPECT_EQ(remove(), RemoveResult::notOurs);
    EXPECT_EQ(disk.at(ini).bytes, theirs);
    EXPECT_EQ(sideFiles(), std::vector<std::u16string>{});
}

TEST_F(FileSafety, AnOriginalThatCannotBePutBackStaysHiddenAndComesBackNextTime) {
    const auto backup = customisation::backupName(ini, 1);
    disk.addFile(ini, theirs);
    disk.failReplaceWith(error::unableToMoveReplacement2, 1);
    // Whatever holds the moved file, and the new one, does not let go in time.
    const auto temporary = customisation::temporaryName(ini, 1);
    int replaces = 0;
    disk.beforeReplace = [&] {
        disk.holdBusy(backup, -1);
        if (++replaces == 2) disk.holdBusy(temporary, -1);
    };
    EXPECT_FALSE(apply());
    EXPECT_EQ(reason.error, error::unableToMoveReplacement2);
    EXPECT_FALSE(disk.exists(ini));
    ASSERT_TRUE(disk.exists(backup));
    EXPECT_EQ(disk.at(backup).bytes, theirs);
    EXPECT_TRUE(disk.at(backup).attributes & attribute::hidden);

    // A later apply puts the original back first, and merges into it.
    disk.beforeReplace = nullptr;
    disk.holdBusy(backup, 0);
    disk.holdBusy(temporary, 0);
    ASSERT_TRUE(apply());
    EXPECT_NE(disk.at(ini).bytes.find("IconResource=C:\\blue.ico,0"), std::string::npos);
    EXPECT_EQ(sideFiles(), std::vector<std::u16string>{});
}

TEST_F(FileSafety, RestoreFindingOnlyTheBackupPutsItBack) {
    const auto backup = customisation::backupName(ini, 3);
    disk.addFile(backup, theirs, attribute::hidden);
    EXPECT_EQ(remove(), RemoveResult::notOurs);
    EXPECT_EQ(disk.at(ini).bytes, theirs);
    EXPECT_FALSE(disk.exists(backup));
}

TEST_F(FileSafety, ABackupThatCannotBeDeletedYetIsHidden) {
    const auto backup = customisation::backupName(ini, 1);
    disk.addFile(ini, theirs);
    disk.beforeReplace = [&] { disk.holdBusy(backup, -1); };
    ASSERT_TRUE(apply());
    ASSERT_TRUE(disk.exists(backup));
    EXPECT_EQ(disk.at(backup).bytes, theirs);
    EXPECT_TRUE(disk.at(backup).attributes & attribute::hidden);
}

TEST_F(FileSafety, ARollbackThatFailsKeepsTheOriginalAndSaysSo) {
    const auto backup = customisation::backupName(ini, 1);
    disk.addFile(ini, theirs);
    disk.refuseAttributes(u"C:\\Data");
    disk.fail(FakeDisk::Operation::rename);
    EXPECT_FALSE(apply());
    EXPECT_EQ(reason.error, error::accessDenied);
    ASSERT_TRUE(disk.exists(backup));
    EXPECT_EQ(disk.at(backup).bytes, theirs);
    EXPECT_TRUE(disk.at(backup).attributes & attribute::hidden);
}

TEST_F(FileSafety, RestoreDeletesNothingThatChangedSinceItWasRead) {
    disk.addFile(
        ini, iniFile({u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg"}));
    // The Customize tab adds an icon between the read and the delete.
    const std::string changed =
        iniFile({u"[{BE098140-A513-11D0-A3A4-00C04FD706EC}]", u"IconArea_Image=C:\\a.jpg",
                 u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0"});
    bool once = false;
    disk.beforeRemoveIfUnchanged = [&] {
        if (!std::exchange(once, true)) disk.addFile(ini, changed);
    };
    EXPECT_EQ(remove(), RemoveResult::rewritten);
    EXPECT_EQ(disk.at(ini).bytes, iniFile({u"[.ShellClassInfo]", u"IconResource=C:\\blue.ico,0"}));
}

TEST_F(FileSafety, ADroppedSystemBitIsAFailure) {
    for (const bool existed : {false, true}) {
        SCOPED_TRACE(existed ? "an existing file" : "a new file");
        FakeDisk fresh;
        fresh.addFolder(u"C:\\Data", attribute::hidden);
        if (existed) fresh.addFile(ini, theirs, attribute::hidden);
        fresh.dropAttributes(u"C:\\Data", attribute::system);
        customisation::Disk disk{fresh, fresh, codePage};
        EXPECT_FALSE(customisation::applyCustomisation(disk, folder, {u"C:\\a.jpg", u"0"}));
        EXPECT_EQ(fresh.exists(ini), existed);
        if (existed) {
            EXPECT_EQ(fresh.at(ini).bytes, theirs);
        }
        EXPECT_EQ(fresh.files().size(), existed ? 1u : 0u);
        EXPECT_EQ(fresh.at(u"C:\\Data").attributes & ~attribute::directory, attribute::hidden);
    }
}

TEST(DriveRoots, AreToldFromFolders) {
    for (const auto* root : {u"C:\\", u"c:", u"\\\\?\\D:\\", u"\\\\server\\share\\",
                             u"\\\\server\\share", u"\\\\?\\UNC\\server\\share\\"}) {
        EXPECT_TRUE(customisation::isDriveRoot(root)) << std::string(root, root + 3);
    }
    for (const auto* other : {u"C:\\Data\\", u"\\\\server\\share\\Data\\", u"\\\\server\\",
                              u"\\\\?\\UNC\\server\\share\\Data", u"Data\\", u""}) {
        EXPECT_FALSE(customisation::isDriveRoot(other));
    }
}

TEST(DriveRoots, AFatRootSaysWhyAndAnNtfsRootKeepsItsAttributes) {
    using mainwindow::ControlId;
    namespace messages = mainwindow::messages;
    fakes::FormHarness fat;
    fat.disk.addFolder(u"E:\\");
    fat.disk.refuseAttributes(u"E:\\");
    fat.type(ControlId::fold, u"E:\\");
    fat.type(ControlId::img, u"C:\\a.jpg");
    fat.form.Image5_Click();
    ASSERT_EQ(fat.messages.shown.size(), 1u);
    EXPECT_EQ(fat.messages.shown[0].text, std::u16string(messages::applyFailed) + u"\n" +
                                              std::u16string(messages::driveRootNotCustomisable));
    EXPECT_FALSE(fat.disk.exists(u"E:\\Desktop.ini"));

    // NTFS gives its roots Hidden and System itself: nothing to set, and
    // nothing to take off again.
    fakes::FormHarness ntfs;
    const std::uint32_t root = attribute::hidden | attribute::system;
    ntfs.disk.addFolder(u"C:\\", root);
    ntfs.type(ControlId::fold, u"C:\\");
    ntfs.type(ControlId::img, u"C:\\a.jpg");
    ntfs.form.Image5_Click();
    EXPECT_EQ(ntfs.messages.shown.back().text, messages::applied);
    ntfs.form.Image4_Click();
    EXPECT_FALSE(ntfs.disk.exists(u"C:\\Desktop.ini"));
    EXPECT_EQ(ntfs.disk.at(u"C:\\").attributes, root | attribute::directory);
    for (const auto& [path, value] : ntfs.disk.attributeLog) EXPECT_NE(path, u"C:\\");
}

}  // namespace
