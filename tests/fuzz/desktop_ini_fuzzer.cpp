// Takes the input as a folder's existing Desktop.ini, then applies, reads back
// and removes a customisation. Whatever the file held, apply and restore
// either refuse and change nothing, or: the picture and colour read back as
// written, the bytes of every line we did not write survive both rewrites in
// their order, and restoring gives back the file as it was, byte for byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "customisation/apply.h"
#include "customisation/desktop_ini.h"
#include "customisation/ini_file.h"
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

// Our record of the file's form before the first apply: the prefix, then
// words we write only (an empty one stands in front of a line of theirs
// that would pass for it).
bool isRecordOfOurs(std::u16string_view line) {
    static constexpr std::u16string_view prefix = u";before customisation:";
    static constexpr std::u16string_view words[] = {
        u"ansi", u"utf-8", u"utf-16 be", u"visible", u"system folder", u"folder not system"};
    line = customisation::trimBlanks(line);
    if (line.size() < prefix.size() ||
        !customisation::equalsIgnoringCase(line.substr(0, prefix.size()), prefix)) {
        return false;
    }
    for (auto rest = line.substr(prefix.size()); !rest.empty();) {
        const auto comma = rest.find(u',');
        const auto word = customisation::trimBlanks(rest.substr(0, comma));
        const bool known =
            word.empty() || std::any_of(std::begin(words), std::end(words), [&](auto w) {
                return customisation::equalsIgnoringCase(word, w);
            });
        if (!known) return false;
        rest = comma == std::u16string_view::npos ? std::u16string_view{} : rest.substr(comma + 1);
    }
    return true;
}

// Our file's lines and their keys, found once per input rather than once
// per line of it. The keys point into the lines: not to be copied.
struct OurFile {
    Lines lines;
    std::vector<std::optional<std::u16string_view>> keys;

    explicit OurFile(Lines ours) : lines(std::move(ours)) {
        for (const auto& line : lines) keys.push_back(customisation::keyName(line));
    }
    OurFile(const OurFile&) = delete;
    OurFile& operator=(const OurFile&) = delete;
};

// A line that may be ours: one of our own file's lines, one of our keys in
// any section, or a header of ours. Every other line must survive.
bool mayBeOurs(const std::u16string& line, const OurFile& ourFile) {
    if (ourSectionNamed(line) || isRecordOfOurs(line)) return true;
    const auto key = customisation::keyName(line);
    for (std::size_t i = 0; i < ourFile.lines.size(); ++i) {
        const auto& ours = ourFile.lines[i];
        if (line == ours) return true;
        const auto& ourKey = ourFile.keys[i];
        if (key && ourKey && customisation::equalsIgnoringCase(*key, *ourKey) &&
            (*ourKey != u"InfoTip" ||
             customisation::keyValue(line) == customisation::keyValue(ours))) {
            return true;
        }
    }
    return false;
}

// Which of the lines may be ours, asked once for the checks after apply and
// after restore alike.
template <typename LineList, typename TextOf>
std::vector<bool> whichMayBeOurs(const LineList& lines, const OurFile& ourFile, TextOf textOf) {
    std::vector<bool> ours;
    ours.reserve(lines.size());
    for (const auto& line : lines) ours.push_back(mayBeOurs(textOf(line), ourFile));
    return ours;
}

void checkKeepsForeignLines(const Lines& input, const std::vector<bool>& ours,
                            const Lines& restored) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto& line = input[i];
        if (ours[i]) continue;
        while (at < restored.size() && restored[at] != line) ++at;
        if (at == restored.size()) {
            std::fprintf(stderr, "  lost |%s|\n", printable(line).c_str());
            printLines("restored", restored);
            fail("restoring lost a line we did not write, or put it out of order");
        }
        ++at;
    }
}

Lines textsOf(const std::vector<customisation::Line>& lines) {
    Lines texts;
    for (const auto& line : lines) texts.push_back(line.text);
    return texts;
}

// The bytes of every line of the input that is not ours, found in `file` in
// their order.
void checkKeepsForeignBytes(const customisation::IniFile& input, const std::vector<bool>& ours,
                            const std::string& file, const char* when) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < input.lines.size(); ++i) {
        const auto& line = input.lines[i];
        if (ours[i] || line.bytes->empty()) continue;
        at = file.find(*line.bytes, at);
        if (at == std::string::npos) {
            std::fprintf(stderr, "desktop_ini_fuzzer: %s, lost |%s|\n", when,
                         printable(line.text).c_str());
            fail("the bytes of a line we did not write are gone or out of order");
        }
        at += line.bytes->size();
    }
}

// A header of ours without its closing bracket, which apply writes properly.
bool hasBrokenHeaderOfOurs(const Lines& lines) {
    for (const auto& line : lines) {
        if (ourSectionNamed(line) && line.find(u']') == std::u16string::npos) return true;
    }
    return false;
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
    const OurFile ourFile(textsOf(customisation::customisedLines(applied, {})));
    const auto inputMayBeOurs = whichMayBeOurs(
        inputLines, ourFile, [](const auto& line) -> const auto& { return line; });

    // Restoring the file as it is: one that holds nothing of ours is left alone.
    fakes::FakeDisk untouched;
    customisation::Disk onUntouched{untouched, untouched, codePage};
    untouched.addFolder(folder);
    untouched.addFile(iniPath, input, platform::attribute::hidden | platform::attribute::system);
    const auto restoredFirst = customisation::removeCustomisation(onUntouched, folder);
    if (restoredFirst == customisation::RemoveResult::notOurs) {
        check(untouched.at(iniPath).bytes == input, "a file with nothing of ours was rewritten");
    }

    fakes::FakeDisk files;
    customisation::Disk disk{files, files, codePage};
    files.addFolder(folder, platform::attribute::hidden);
    files.addFile(iniPath, input, platform::attribute::hidden | platform::attribute::system);

    const auto split = customisation::splitIniFile(input, codePage);
    const auto splitMayBeOurs =
        split
            ? whichMayBeOurs(
                  split->lines, ourFile, [](const auto& line) -> const auto& { return line.text; })
            : std::vector<bool>{};
    if (!customisation::applyCustomisation(disk, folder, applied)) {
        // Refusing is for a file that cannot be put back byte for byte; an
        // ANSI one that cannot hold our lines becomes UTF-16.
        check(!split, "apply refused a file it could have merged");
        check(files.files().size() == 1 && files.at(iniPath).bytes == input &&
                  files.at(iniPath).attributes ==
                      (platform::attribute::hidden | platform::attribute::system) &&
                  files.at(folder).attributes ==
                      (platform::attribute::hidden | platform::attribute::directory),
              "apply refused but changed something");
        if (!split) {
            check(restoredFirst == customisation::RemoveResult::failed &&
                      untouched.at(iniPath).bytes == input,
                  "restore changed a file that cannot be put back byte for byte");
        }
        return 0;
    }
    check(split.has_value(), "apply merged a file that cannot be put back byte for byte");
    // The temporary file and the old one must not outlive the replace.
    check(files.files().size() == 1, "apply left a file besides Desktop.ini");
    check(
        files.at(folder).attributes == (platform::attribute::hidden | platform::attribute::system |
                                        platform::attribute::directory),
        "apply changed more of the folder than its System attribute");

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
    checkKeepsForeignLines(inputLines, inputMayBeOurs, linesOf(files.at(iniPath).bytes, codePage));
    // A file that became UTF-16 LE (ANSI that cannot hold our lines, or a
    // byte-order mark Windows reads as ANSI) keeps the texts of its lines,
    // checked above, and gets their bytes back when restored.
    const bool becameUtf16 = split->encoding != customisation::TextEncoding::utf16le &&
                             files.at(iniPath).bytes.starts_with("\xFF\xFE");
    if (!becameUtf16) {
        checkKeepsForeignBytes(*split, splitMayBeOurs, files.at(iniPath).bytes, "after apply");
    }

    // Restoring after applying gives back what restoring the file as it was
    // would, or for a file with nothing of ours the file itself.
    const std::string appliedBytes = files.at(iniPath).bytes;
    const auto removed = customisation::removeCustomisation(disk, folder);
    if (removed == customisation::RemoveResult::failed) {
        // Only where restoring the file as it was refuses too: what would be
        // left begins like a byte-order mark and would be read as another
        // encoding.
        check(restoredFirst == customisation::RemoveResult::failed && files.exists(iniPath) &&
                  files.at(iniPath).bytes == appliedBytes,
              "restore after apply refused, or refused and changed something");
        return 0;
    }
    check(removed == customisation::RemoveResult::deleted ||
              removed == customisation::RemoveResult::rewritten,
          "restoring what we applied neither deleted nor rewrote the file");
    check(files.files().size() <= 1, "remove left a file besides Desktop.ini");
    const std::optional<std::string> restoredBytes =
        files.exists(iniPath) ? std::optional(files.at(iniPath).bytes) : std::nullopt;
    const Lines restored = restoredBytes ? linesOf(*restoredBytes, codePage) : Lines{};
    const bool wroteHeadersProperly = hasBrokenHeaderOfOurs(inputLines);
    if (restoredFirst == customisation::RemoveResult::notOurs) {
        const Lines expected = withoutOurLeftovers(inputLines);
        checkSameLines(expected, withOurHeadersByName(restored), "restore after apply");
        // With nothing left, the file goes.
        if (expected == inputLines && !expected.empty() && !wroteHeadersProperly) {
            check(restoredBytes == input, "restore after apply did not give back the same bytes");
        }
    } else {
        const Lines restoredAsItIs =
            untouched.exists(iniPath) ? linesOf(untouched.at(iniPath).bytes, codePage) : Lines{};
        checkSameLines(withOurHeadersByName(restoredAsItIs), withOurHeadersByName(restored),
                       "restore after apply");
        if (!wroteHeadersProperly) {
            std::optional<std::string> asItIs;
            if (untouched.exists(iniPath)) asItIs = untouched.at(iniPath).bytes;
            check(restoredBytes == asItIs,
                  "restore after apply gave other bytes than restoring the file as it was");
        }
    }
    check(removed == customisation::RemoveResult::deleted || !restored.empty(),
          "remove rewrote the file with nothing in it");
    checkKeepsForeignLines(inputLines, inputMayBeOurs, restored);
    if (restoredBytes) {
        checkKeepsForeignBytes(*split, splitMayBeOurs, *restoredBytes, "after restore");
    }
    return 0;
}
