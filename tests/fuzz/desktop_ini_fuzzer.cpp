// Takes the input as a folder's existing Desktop.ini, then applies, reads back
// and removes a customisation. Whatever the file held, the picture and colour
// must read back as written and every foreign line must survive both rewrites.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "customisation/apply.h"
#include "customisation/desktop_ini.h"
#include "customisation/ini_text.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "fake_code_page.h"
#include "fake_disk.h"

namespace {

using customisation::ForeignContent;

const std::u16string folder = u"C:\\Data\\";
const std::u16string iniPath = u"C:\\Data\\Desktop.ini";

// One path the ANSI code page can hold, one it cannot (the file is then
// written as UTF-16), one outside the basic plane, and one full of the
// characters that mean something in an INI line.
const std::u16string pictures[] = {
    u"C:\\صور العائلة\\البحر.jpg",
    u"D:\\写真\\海.png",
    u"\\\\server\\share\\\U0001F30A.gif",
    u"C:\\a=b;c\\[x] #y.bmp",
};

// Inputs past this are not worth the time: the largest real files are a few
// hundred bytes.
constexpr std::size_t largestInput = std::size_t{1024} * 1024;

std::string printable(const std::u16string& line) {
    std::string text;
    for (char16_t c : line) {
        if (c >= 0x20 && c < 0x7F && c != u'\\') {
            text += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            text += escape;
        }
    }
    return text;
}

void printLines(const char* title, const std::vector<std::u16string>& lines) {
    std::fprintf(stderr, "  %s (%zu lines)\n", title, lines.size());
    for (const auto& line : lines) std::fprintf(stderr, "    |%s|\n", printable(line).c_str());
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "desktop_ini_fuzzer: %s\n", what);
    std::abort();
}

void check(bool holds, const char* what) {
    if (!holds) fail(what);
}

// Part by part, so a failure says which part was lost or gained.
void checkSameForeign(const ForeignContent& expected, const ForeignContent& actual,
                      const char* when) {
    bool same = true;
    auto compare = [&](const char* part, const std::vector<std::u16string>& want,
                       const std::vector<std::u16string>& got) {
        if (want == got) return;
        same = false;
        std::fprintf(stderr, "desktop_ini_fuzzer: %s, %s differ\n", when, part);
        printLines("input", want);
        printLines("file", got);
    };
    compare("lines before the sections", expected.beforeSections, actual.beforeSections);
    static const char* const ours[] = {"lines in [.ShellClassInfo]",
                                       "lines in [ExtShellFolderViews]",
                                       "lines in the view section"};
    for (std::size_t i = 0; i < customisation::ourSectionCount; ++i) {
        compare(ours[i], expected.inOurSections[i], actual.inOurSections[i]);
    }
    compare("other sections", expected.otherSections, actual.otherSections);
    if (!same) fail("foreign content changed");
}

ForeignContent foreignIn(std::string_view bytes, const fakes::Cp1256& codePage) {
    return customisation::foreignContent(
        customisation::splitLines(customisation::decodeIniFile(bytes, codePage)));
}

customisation::Customisation customisationFor(const std::uint8_t* data, std::size_t size) {
    auto byte = [&](std::size_t i) -> std::uint32_t { return i < size ? data[i] : 0; };
    const std::uint32_t colour = byte(1) | byte(2) << 8 | byte(3) << 16;
    const std::string digits = std::to_string(colour);
    return {pictures[byte(0) % std::size(pictures)], std::u16string(digits.begin(), digits.end())};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > largestInput) return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);

    fakes::FakeDisk files;
    fakes::Cp1256 codePage;
    customisation::Disk disk{files, files, codePage};
    files.addFolder(folder);
    files.addFile(iniPath, input, platform::attribute::hidden | platform::attribute::system);

    const auto applied = customisationFor(data, size);
    const auto foreign = foreignIn(input, codePage);

    check(customisation::applyCustomisation(disk, folder, applied), "apply failed");
    // The temporary file must not outlive the rename.
    check(files.files().size() == 1, "apply left a file besides Desktop.ini");

    // The reader leaves files over 64 KiB alone, so that typing in the folder
    // box never stalls; a large foreign content can make the merged file that big.
    const bool readable = files.at(iniPath).bytes.size() <= 64 * 1024;
    const auto found = customisation::readCustomisation(disk, folder);
    if (readable && found.picturePath != applied.picturePath) {
        std::fprintf(stderr, "  applied |%s|\n  read    |%s|\n",
                     printable(applied.picturePath).c_str(),
                     found.picturePath ? printable(*found.picturePath).c_str() : "(none)");
        fail("the picture does not read back as applied");
    }
    if (readable && found.colour != applied.colourDigits) {
        std::fprintf(stderr, "  applied |%s|\n  read    |%s|\n",
                     printable(applied.colourDigits).c_str(),
                     found.colour ? printable(*found.colour).c_str() : "(none)");
        fail("the colour does not read back as applied");
    }
    checkSameForeign(foreign, foreignIn(files.at(iniPath).bytes, codePage), "after apply");

    const auto removed = customisation::removeCustomisation(disk, folder);
    if (foreign.empty()) {
        check(removed == customisation::RemoveResult::deleted, "remove did not delete the file");
        check(!files.exists(iniPath), "remove said deleted but the file is there");
        check(files.files().empty(), "remove left a file behind");
    } else {
        check(removed == customisation::RemoveResult::rewritten,
              "remove did not rewrite a file with foreign content");
        check(files.files().size() == 1, "remove left a file besides Desktop.ini");
        checkSameForeign(foreign, foreignIn(files.at(iniPath).bytes, codePage), "after remove");
    }
    return 0;
}
