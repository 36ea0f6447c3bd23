// Takes the input as a folder's existing Desktop.ini, then applies, reads back
// and removes a customisation. Whatever the file held, the picture and colour
// must read back as written, every line we did not write must survive both
// rewrites in its place, and restoring must give back the file as it was.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "customisation/apply.h"
#include "customisation/desktop_ini.h"
#include "customisation/ini_line.h"
#include "customisation/ini_text.h"
#include "customisation/read.h"
#include "customisation/remove.h"
#include "fake_code_page.h"
#include "fake_disk.h"

namespace {

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

using Lines = std::vector<std::u16string>;

Lines linesOf(std::string_view bytes, const fakes::Cp1256& codePage) {
    return customisation::splitLines(customisation::decodeIniFile(bytes, codePage));
}

void checkSameLines(const Lines& expected, const Lines& actual, const char* when) {
    if (expected == actual) return;
    std::fprintf(stderr, "desktop_ini_fuzzer: %s, the lines differ\n", when);
    printLines("expected", expected);
    printLines("file", actual);
    fail("foreign lines changed");
}

std::optional<std::u16string_view> ourSectionNamed(const std::u16string& line) {
    auto name = customisation::sectionName(line);
    if (!name) return std::nullopt;
    for (std::u16string_view ours :
         {std::u16string_view(u".ShellClassInfo"), std::u16string_view(u"ExtShellFolderViews"),
          customisation::viewExtensionId}) {
        if (customisation::equalsIgnoringCase(*name, ours)) return ours;
    }
    return std::nullopt;
}

// What restoring after applying must give back of a file that held nothing
// of ours: every line, but for the one key that is ours by name alone and a
// section of ours left with nothing in it. A header of ours is compared by
// the section it names, since a broken one is written properly.
Lines withoutOurLeftovers(const Lines& lines) {
    Lines kept;
    std::optional<std::u16string_view> section;
    for (const auto& line : lines) {
        if (customisation::sectionName(line)) {
            section = ourSectionNamed(line);
            kept.push_back(section ? u"[" + std::u16string(*section) + u"]" : line);
            continue;
        }
        auto key = customisation::keyName(line);
        if (section == u"ExtShellFolderViews" && key &&
            customisation::equalsIgnoringCase(*key, customisation::viewExtensionId)) {
            continue;
        }
        kept.push_back(line);
    }
    Lines result;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const bool emptySectionOfOurs =
            ourSectionNamed(kept[i]) &&
            (i + 1 == kept.size() || customisation::sectionName(kept[i + 1]));
        if (!emptySectionOfOurs) result.push_back(kept[i]);
    }
    return result;
}

Lines withOurHeadersByName(Lines lines) {
    for (auto& line : lines) {
        if (auto ours = ourSectionNamed(line)) line = u"[" + std::u16string(*ours) + u"]";
    }
    return lines;
}

// A line that may be ours: one of our own file's lines, one of our keys in
// any section, or a header of ours. Every other line must survive.
bool mayBeOurs(const std::u16string& line, const Lines& ourFile) {
    if (ourSectionNamed(line)) return true;
    for (const auto& ours : ourFile) {
        if (line == ours) return true;
        auto key = customisation::keyName(ours);
        if (key && customisation::keyName(line) &&
            customisation::equalsIgnoringCase(*customisation::keyName(line), *key) &&
            (*key != u"InfoTip" ||
             customisation::keyValue(line) == customisation::keyValue(ours))) {
            return true;
        }
    }
    return false;
}

void checkKeepsForeignLines(const Lines& input, const Lines& restored, const Lines& ourFile) {
    std::size_t at = 0;
    for (const auto& line : input) {
        if (mayBeOurs(line, ourFile)) continue;
        while (at < restored.size() && restored[at] != line) ++at;
        if (at == restored.size()) {
            std::fprintf(stderr, "  lost |%s|\n", printable(line).c_str());
            printLines("restored", restored);
            fail("restoring lost a line we did not write, or put it out of order");
        }
        ++at;
    }
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
    const auto applied = customisationFor(data, size);
    fakes::Cp1256 codePage;
    const Lines inputLines = linesOf(input, codePage);
    const Lines ourFile = customisation::customisedLines(applied, {});

    // Restoring the file as it is: one that holds nothing of ours is left alone.
    fakes::FakeDisk untouched;
    customisation::Disk onUntouched{untouched, untouched, codePage};
    untouched.addFolder(folder);
    untouched.addFile(iniPath, input, platform::attribute::hidden | platform::attribute::system);
    const auto restoredFirst = customisation::removeCustomisation(onUntouched, folder);
    if (restoredFirst == customisation::RemoveResult::notOurs) {
        check(untouched.at(iniPath).bytes == input, "a file with nothing of ours was rewritten");
    }
    std::optional<Lines> restoredAsItIs;
    if (untouched.exists(iniPath)) restoredAsItIs = linesOf(untouched.at(iniPath).bytes, codePage);

    fakes::FakeDisk files;
    customisation::Disk disk{files, files, codePage};
    files.addFolder(folder);
    files.addFile(iniPath, input, platform::attribute::hidden | platform::attribute::system);

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
    checkKeepsForeignLines(inputLines, linesOf(files.at(iniPath).bytes, codePage), ourFile);

    // Restoring after applying gives back what restoring the file as it was
    // would, or for a file with nothing of ours the file itself.
    const auto removed = customisation::removeCustomisation(disk, folder);
    check(removed == customisation::RemoveResult::deleted ||
              removed == customisation::RemoveResult::rewritten,
          "restoring what we applied neither deleted nor rewrote the file");
    check(files.files().size() <= 1, "remove left a file besides Desktop.ini");
    const Lines restored =
        files.exists(iniPath) ? linesOf(files.at(iniPath).bytes, codePage) : Lines{};
    if (restoredFirst == customisation::RemoveResult::notOurs) {
        checkSameLines(withoutOurLeftovers(inputLines), withOurHeadersByName(restored),
                       "restore after apply");
    } else {
        checkSameLines(withOurHeadersByName(restoredAsItIs.value_or(Lines{})),
                       withOurHeadersByName(restored), "restore after apply");
    }
    check(removed == customisation::RemoveResult::deleted || !restored.empty(),
          "remove rewrote the file with nothing in it");
    checkKeepsForeignLines(inputLines, restored, ourFile);
    return 0;
}
