// Loading pictures for the preview through WIC.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/long_path.h"
#include "platform/win32/picture.h"
#include "platform/win32/picture_decoder.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

// The preview's size at 96 dpi.
constexpr int width = 188;
constexpr int height = 174;

std::u16string dataFile(const char* name) {
    std::string path = std::string(TEST_DATA_DIR) + "/" + name;
    return std::u16string(path.begin(), path.end());
}

constexpr auto chosen = platform::PictureOrigin::chosen;

struct PictureTest : ::testing::Test {
    win32::PictureDecoder loader;
};

TEST_F(PictureTest, LoadsEachKindScaledToThePreview) {
    for (const char* name : {"picture.bmp", "picture.jpg", "picture.gif"}) {
        auto picture = loader.decode(dataFile(name), width, height);
        ASSERT_TRUE(picture && *picture) << name;
        auto* shown = dynamic_cast<const win32::Picture*>(picture->get());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->width(), 188) << name;
        EXPECT_EQ(shown->height(), 174) << name;
    }
}

TEST_F(PictureTest, EmptyMissingAndNonPictures) {
    auto empty = loader.decode(u"", width, height);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, nullptr);
    EXPECT_EQ(loader.decode(dataFile("no-such-picture.jpg"), width, height), std::nullopt);
    EXPECT_EQ(loader.decode(dataFile("not-a-picture.jpg"), width, height), std::nullopt);
    EXPECT_EQ(loader.decode(dataFile(""), width, height), std::nullopt);  // a folder
    // Only the formats the picker offers: no other installed codec is asked.
    EXPECT_EQ(loader.decode(dataFile("picture.png"), width, height), std::nullopt);
}

// However the path names the file, it is opened by the one name the decoder
// makes of it: a path deeper than 260 characters, plain or in the long form,
// loads; a device path, which reaches the volume rather than a folder's
// file, does not.
TEST_F(PictureTest, ThePathIsMadeLongOnceAndDevicesAreRefused) {
    std::u16string folder = freshFolder(u"long-picture");
    for (int i = 0; i < 4; ++i) {
        folder += std::u16string(70, static_cast<char16_t>(u'a' + i)) + u"\\";
        ASSERT_TRUE(::CreateDirectoryW(win32::longPath(folder).c_str(), nullptr));
    }
    const std::u16string picture = folder + u"picture.jpg";
    ASSERT_GT(picture.size(), 260u);
    ASSERT_TRUE(
        ::CopyFileW(win32::wide(dataFile("picture.jpg")), win32::longPath(picture).c_str(), FALSE));
    const struct {
        std::u16string path;
        bool loads;
    } cases[] = {
        {picture, true},
        {u"\\\\?\\" + picture, true},
        {u"\\\\.\\" + dataFile("picture.jpg"), false},
    };
    for (const auto& c : cases) {
        auto loaded = loader.decode(c.path, width, height);
        EXPECT_EQ(loaded && *loaded, c.loads) << std::string(c.path.begin(), c.path.end());
    }
}

TEST_F(PictureTest, TheSameUnchangedFileIsNotDecodedAgain) {
    const std::u16string copy = freshFolder(u"pictures") + u"copy.jpg";
    ASSERT_TRUE(::CopyFileW(win32::wide(dataFile("picture.jpg")), win32::wide(copy), FALSE));
    auto first = loader.decode(copy, width, height);
    auto again = loader.decode(copy, width, height);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->get(), again->get());

    // Another picture under the same name is decoded anew.
    ASSERT_TRUE(::CopyFileW(win32::wide(dataFile("picture.gif")), win32::wide(copy), FALSE));
    FILETIME later{};
    ::GetSystemTimeAsFileTime(&later);
    HANDLE file = ::CreateFileW(win32::wide(copy), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ::SetFileTime(file, nullptr, nullptr, &later);
    ::CloseHandle(file);
    auto changed = loader.decode(copy, width, height);
    ASSERT_TRUE(changed);
    EXPECT_NE(changed->get(), first->get());
    // A different size is a different picture too.
    EXPECT_NE(loader.decode(copy, width / 2, height / 2)->get(), changed->get());
}

// The loader's worker, announcing to a window of the test's own that stands
// in for the program's.
struct PictureLoaderTest : ::testing::Test {
    static constexpr UINT finished = WM_APP + 7;
    // The preview's size in twips: 188 x 174 pixels at 96 dpi.
    static constexpr int widthTwips = 2820;
    static constexpr int heightTwips = 2605;

    void SetUp() override {
        window = ::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        loader.attach(window, finished);
    }
    void TearDown() override { ::DestroyWindow(window); }

    bool announced() {
        MSG message{};
        return ::PeekMessageW(&message, window, finished, finished, PM_REMOVE) != FALSE;
    }
    // What the window takes on the announcements, waiting for one that
    // carries a decode.
    std::optional<win32::PictureLoader::Finished> nextFinished() {
        for (int waited = 0; waited < 30000; waited += 10) {
            if (announced()) {
                if (auto done = loader.takeFinished()) return done;
            }
            ::Sleep(10);
        }
        return std::nullopt;
    }

    UINT dpi = 96;
    win32::PictureLoader loader{[this] { return dpi; }};
    HWND window = nullptr;
};

TEST_F(PictureLoaderTest, AnnouncesOnlyTheNewestDecode) {
    // The large decode is under way or never starts when the next request
    // comes: either way only the newest one is taken.
    loader.request(largePicture(), widthTwips, heightTwips, chosen);
    loader.request(dataFile("no-such-picture.jpg"), widthTwips, heightTwips, chosen);
    const auto newest = loader.request(dataFile("picture.jpg"), widthTwips, heightTwips, chosen);
    auto done = nextFinished();
    ASSERT_TRUE(done);
    EXPECT_EQ(done->ticket, newest);
    ASSERT_TRUE(done->picture && *done->picture);
    auto* shown = dynamic_cast<const win32::Picture*>(done->picture->get());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->width(), 188);
    EXPECT_EQ(shown->height(), 174);
    EXPECT_FALSE(loader.takeFinished());

    const auto missing =
        loader.request(dataFile("no-such-picture.jpg"), widthTwips, heightTwips, chosen);
    done = nextFinished();
    ASSERT_TRUE(done);
    EXPECT_EQ(done->ticket, missing);
    EXPECT_EQ(done->picture, std::nullopt);
}

// A folder on a stick may name a picture on someone's server: choosing that
// folder must not connect there. Wine serves \\127.0.0.1\share from its
// prefix (prepare_network_share.py), so a fetch would find the picture.
TEST_F(PictureLoaderTest, APictureOnTheNetworkIsFetchedOnlyWhenChosen) {
    const std::u16string shared = u"\\\\127.0.0.1\\share\\picture.jpg";
    const std::u16string longForm = u"\\\\?\\UNC\\127.0.0.1\\share\\picture.jpg";
    loader.request(shared, widthTwips, heightTwips, chosen);
    auto fetched = nextFinished();
    ASSERT_TRUE(fetched && fetched->picture && *fetched->picture) << "the share is not served";

    for (const auto& path : {shared, longForm, std::u16string(u"\\\\.\\C:\\picture.jpg")}) {
        const auto ticket =
            loader.request(path, widthTwips, heightTwips, platform::PictureOrigin::namedByFolder);
        auto done = nextFinished();
        ASSERT_TRUE(done);
        EXPECT_EQ(done->ticket, ticket);
        ASSERT_TRUE(done->picture);
        EXPECT_EQ(*done->picture, nullptr) << "fetched " << std::string(path.begin(), path.end());
    }
    // A local picture named by a folder shows as before.
    loader.request(dataFile("picture.jpg"), widthTwips, heightTwips,
                   platform::PictureOrigin::namedByFolder);
    auto local = nextFinished();
    ASSERT_TRUE(local && local->picture && *local->picture);
}

TEST_F(PictureLoaderTest, ADecodeForAnotherDpiIsNotTaken) {
    loader.request(dataFile("picture.gif"), widthTwips, heightTwips, chosen);
    bool posted = false;
    for (int waited = 0; waited < 30000 && !(posted = announced()); waited += 10) ::Sleep(10);
    ASSERT_TRUE(posted);
    dpi = 144;  // the window moved to another monitor before it took the picture
    EXPECT_FALSE(loader.takeFinished());
}

// The window detaches the loader when it is destroyed: a decode that ends
// afterwards must not post to a window that is gone, whose handle another
// window may have by then.
TEST_F(PictureLoaderTest, AnnouncesNothingOnceDetached) {
    loader.detach();
    const auto ticket = loader.request(dataFile("picture.gif"), widthTwips, heightTwips, chosen);
    std::optional<win32::PictureLoader::Finished> done;
    for (int waited = 0; waited < 30000 && !done; waited += 10) {
        ::Sleep(10);
        done = loader.takeFinished();
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(done->ticket, ticket);
    EXPECT_FALSE(announced());
}

}  // namespace
