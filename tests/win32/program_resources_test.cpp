// What the linked program carries: our manifests alone, and the full icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "test_environment.h"

namespace {

struct ProgramResources : ::testing::Test {
    HMODULE program = nullptr;
    void SetUp() override {
        program = ::LoadLibraryExW(win32::toWide(testEnvironment().program).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(program, nullptr);
    }
    void TearDown() override { ::FreeLibrary(program); }

    std::string resource(const wchar_t* type, const wchar_t* name) const {
        HRSRC found = ::FindResourceW(program, name, type);
        if (!found) return {};
        const char* data = static_cast<const char*>(::LockResource(::LoadResource(program, found)));
        return {data, ::SizeofResource(program, found)};
    }
};

TEST_F(ProgramResources, CarriesOnlyOurManifests) {
    std::vector<ULONG_PTR> names;
    ::EnumResourceNamesW(
        program, RT_MANIFEST,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(
                reinterpret_cast<ULONG_PTR>(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    ASSERT_EQ(names, (std::vector<ULONG_PTR>{1, 2}));
    const std::string manifest = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    for (const char* wanted : {"PerMonitorV2, PerMonitor", "true/pm", "asInvoker"}) {
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
    }
    // The themed controls come with the dialogs, not with the process.
    const char themed[] = "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0";
    EXPECT_EQ(manifest.find(themed), std::string::npos);
    EXPECT_NE(resource(RT_MANIFEST, MAKEINTRESOURCEW(2)).find(themed), std::string::npos);
}

TEST_F(ProgramResources, TheIconHasItsTenImages) {
    const std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u);
    struct Image {
        int size, bits;
        bool operator==(const Image&) const = default;
    };
    std::vector<Image> images;
    const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5])
                                                                 << 8;
    for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size()); ++i) {
        const auto* entry = reinterpret_cast<const unsigned char*>(group.data() + 6 + 14 * i);
        int size = entry[0] == 0 ? 256 : entry[0];
        images.push_back({size, entry[6] | entry[7] << 8});
    }
    const std::vector<Image> expected{{16, 8}, {16, 32}, {24, 32}, {32, 8},  {32, 32},
                                      {48, 8}, {48, 32}, {64, 32}, {72, 32}, {128, 32}};
    EXPECT_EQ(images, expected);
}

}  // namespace
