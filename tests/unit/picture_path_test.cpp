// The picture line's value: relative to the folder where the picture lies in
// it, and read back as the shell reads it.
#include <gtest/gtest.h>

#include "customisation/picture_path.h"

namespace {

using customisation::picturePathFromValue;
using customisation::pictureValueToWrite;

TEST(PicturePath, APictureInsideTheFolderIsWrittenRelativeToIt) {
    struct Case {
        std::u16string folder, picture, value;
    };
    const Case cases[] = {
        {u"D:\\Trip\\", u"D:\\Trip\\sky.jpg", u".\\sky.jpg"},
        {u"D:\\Trip", u"D:\\Trip\\sky.jpg", u".\\sky.jpg"},
        {u"D:\\Trip\\", u"D:\\Trip\\sub\\sky.jpg", u".\\sub\\sky.jpg"},
        {u"d:\\trip\\", u"D:\\TRIP\\Sky.jpg", u".\\Sky.jpg"},
        {u"C:\\Пример\\", u"C:\\пример\\a.jpg", u".\\a.jpg"},
        {u"C:\\صور\\", u"C:\\صور\\خلفية.jpg", u".\\خلفية.jpg"},
        {u"D:\\", u"D:\\sky.jpg", u".\\sky.jpg"},
        {u"D:/Trip/", u"D:\\Trip/sub/sky.jpg", u".\\sub\\sky.jpg"},
        {u"\\\\server\\share\\Trip\\", u"\\\\SERVER\\share\\Trip\\sky.jpg", u".\\sky.jpg"},
        {u"\\\\server\\share\\", u"\\\\server\\share\\sky.jpg", u".\\sky.jpg"},
        {u"\\\\?\\D:\\Trip\\", u"D:\\Trip\\sky.jpg", u".\\sky.jpg"},
        {u"D:\\Trip\\", u"\\\\?\\D:\\Trip\\sky.jpg", u".\\sky.jpg"},
        {u"\\\\?\\UNC\\server\\share\\Trip", u"\\\\server\\share\\Trip\\a.jpg", u".\\a.jpg"},
        // Anywhere else the path stays as it was given.
        {u"D:\\Trip\\", u"D:\\Trips\\sky.jpg", u"D:\\Trips\\sky.jpg"},
        {u"D:\\Trip\\", u"D:\\sky.jpg", u"D:\\sky.jpg"},
        {u"D:\\Trip\\", u"E:\\Trip\\sky.jpg", u"E:\\Trip\\sky.jpg"},
        {u"D:\\Trip\\", u"D:\\Trip", u"D:\\Trip"},
        {u"D:\\Trip\\", u"D:\\Trip\\..\\Other\\sky.jpg", u"D:\\Trip\\..\\Other\\sky.jpg"},
        {u"D:\\Trip\\", u"D:\\Trip\\.\\sky.jpg", u"D:\\Trip\\.\\sky.jpg"},
        {u"D:\\Trip\\", u"D:\\Trip\\\\sky.jpg", u"D:\\Trip\\\\sky.jpg"},
        {u"D:\\Trip\\", u"D:Trip\\sky.jpg", u"D:Trip\\sky.jpg"},
        {u"\\\\server\\share\\", u"\\\\server\\other\\sky.jpg", u"\\\\server\\other\\sky.jpg"},
        {u"Trip\\", u"Trip\\sky.jpg", u"Trip\\sky.jpg"},
        {u"D:\\Trip\\", u".\\sky.jpg", u".\\sky.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture.begin(), c.picture.end()));
        EXPECT_EQ(pictureValueToWrite(c.folder, c.picture), c.value);
    }
}

TEST(PicturePath, ARelativeValueIsTakenRelativeToTheFolder) {
    struct Case {
        std::u16string folder, value;
        std::optional<std::u16string> path;
        bool inFolder;
    };
    const Case cases[] = {
        {u"D:\\Trip\\", u".\\back.jpg", u"D:\\Trip\\back.jpg", true},
        {u"D:\\Trip\\", u"back.jpg", u"D:\\Trip\\back.jpg", true},
        {u"D:\\Trip", u"./sub/back.jpg", u"D:\\Trip\\sub\\back.jpg", true},
        {u"D:\\", u".\\back.jpg", u"D:\\back.jpg", true},
        {u"\\\\server\\share\\Trip\\", u".\\back.jpg", u"\\\\server\\share\\Trip\\back.jpg", true},
        {u"D:\\Trip\\", u"sub\\..\\back.jpg", u"D:\\Trip\\back.jpg", true},
        // Climbing out of the folder, or naming the folder itself: no picture.
        {u"D:\\Trip\\", u"..\\back.jpg", std::nullopt, false},
        {u"D:\\Trip\\", u".\\sub\\..\\..\\Other\\back.jpg", std::nullopt, false},
        {u"D:\\Trip\\", u".", std::nullopt, false},
        // A drive, a root or a UNC prefix: as it stands.
        {u"D:\\Trip\\", u"C:\\back.jpg", u"C:\\back.jpg", false},
        {u"D:\\Trip\\", u"C:back.jpg", u"C:back.jpg", false},
        {u"D:\\Trip\\", u"\\back.jpg", u"\\back.jpg", false},
        {u"D:\\Trip\\", u"\\\\server\\share\\back.jpg", u"\\\\server\\share\\back.jpg", false},
        {u"D:\\Trip\\", u"", u"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
        auto named = picturePathFromValue(c.folder, c.value);
        ASSERT_EQ(named.has_value(), c.path.has_value());
        if (!named) continue;
        EXPECT_EQ(named->path, *c.path);
        EXPECT_EQ(named->inFolder, c.inFolder);
    }
}

}  // namespace
