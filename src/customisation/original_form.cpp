#include "customisation/original_form.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "customisation/ini_line.h"
#include "customisation/unicode.h"

namespace customisation {
namespace {

constexpr std::u16string_view recordPrefix = u";before customisation:";
constexpr std::u16string_view ansiWord = u"ansi";
constexpr std::u16string_view visibleWord = u"visible";
// The record stands right after the warning line, which we always write first.
constexpr std::size_t recordAt = 1;

std::optional<OriginalForm> parseRecord(std::u16string_view line) {
    line = trimBlanks(line);
    if (line.size() < recordPrefix.size() ||
        !equalsIgnoringCase(line.substr(0, recordPrefix.size()), recordPrefix)) {
        return std::nullopt;
    }
    std::u16string_view rest = line.substr(recordPrefix.size());
    OriginalForm form;
    while (!rest.empty()) {
        const auto comma = rest.find(u',');
        const auto word = trimBlanks(rest.substr(0, comma));
        form.ansi = form.ansi || equalsIgnoringCase(word, ansiWord);
        form.visible = form.visible || equalsIgnoringCase(word, visibleWord);
        rest = comma == std::u16string_view::npos ? std::u16string_view{} : rest.substr(comma + 1);
    }
    return form;
}

std::u16string recordLine(const OriginalForm& form) {
    std::u16string line(recordPrefix);
    const char16_t* separator = u" ";
    for (auto [on, word] :
         std::array{std::pair{form.ansi, ansiWord}, std::pair{form.visible, visibleWord}}) {
        if (!on) continue;
        line += separator;
        line += word;
        separator = u", ";
    }
    return line;
}

std::vector<Line> withRecord(std::vector<Line> lines, const OriginalForm& form) {
    const bool needed = form.ansi || form.visible;
    // A line of theirs in the record's place would be taken for ours when
    // restoring: an empty record stands in front of it.
    const bool shadowed = lines.size() > recordAt && parseRecord(lines[recordAt].text);
    if (needed || shadowed) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(recordAt, lines.size())),
                     Line(recordLine(form)));
    }
    return lines;
}

// A converted file's lines as the ANSI file's: each that the code page holds
// exactly as its old bytes, the others (ours among them) as texts to be
// encoded when written. Nothing for a file with a NUL, at which the system's
// INI reader would stop in ANSI.
std::optional<IniFile> inAnsi(const IniFile& file, const platform::AnsiCodePage& codePage) {
    if (file.encoding != TextEncoding::utf16le) return std::nullopt;
    IniFile ansi{TextEncoding::ansi, {}, file.endsWithLineEnd};
    ansi.lines.reserve(file.lines.size());
    for (const auto& line : file.lines) {
        if (line.text.find(u'\0') != std::u16string::npos) return std::nullopt;
        std::string end;
        for (char16_t c : decodeUtf16(line.end, false)) end += static_cast<char>(c);
        Line converted(line.text);
        converted.end = std::move(end);
        auto bytes = codePage.encodeExactly(line.text);
        if (bytes && codePage.decode(*bytes) == line.text) converted.bytes = std::move(bytes);
        ansi.lines.push_back(std::move(converted));
    }
    return ansi;
}

// ANSI lines in UTF-16 LE: the same texts, so the same values to any reader.
std::vector<Line> inUtf16(std::vector<Line> lines) {
    for (auto& line : lines) {
        if (line.bytes) line.bytes = encodeUtf16(line.text, false);
        const std::u16string end(line.end.begin(), line.end.end());
        line.end = encodeUtf16(end, false);
    }
    return lines;
}

}  // namespace

TakenApart takeApart(IniFile file, const platform::AnsiCodePage& codePage) {
    if (file.lines.size() > recordAt) {
        if (auto original = parseRecord(file.lines[recordAt].text)) {
            IniFile ours = file;
            ours.lines.erase(ours.lines.begin() + recordAt);
            // Restoring gives back the ANSI file we converted: recorded,
            // rather than guessed from the lines, which would turn a file
            // that was UTF-16 all along into ANSI too.
            if (original->ansi) {
                if (auto ansi = inAnsi(ours, codePage)) ours = *std::move(ansi);
            }
            auto foreign = foreignContent(ours.lines);
            if (foreign.heldOurs) return {std::move(ours), *original, std::move(foreign)};
        }
    }
    auto foreign = foreignContent(file.lines);
    return {std::move(file), {}, std::move(foreign)};
}

std::optional<std::string> joinCustomisedFile(std::vector<Line> lines, TextEncoding encoding,
                                              bool endsWithLineEnd, OriginalForm original,
                                              const platform::AnsiCodePage& codePage) {
    if (encoding != TextEncoding::ansi) {
        return joinIniFile(withRecord(std::move(lines), original), encoding, endsWithLineEnd,
                           codePage);
    }
    original.ansi = false;
    if (auto bytes =
            joinIniFile(withRecord(lines, original), encoding, endsWithLineEnd, codePage)) {
        return bytes;
    }
    original.ansi = true;
    return joinIniFile(inUtf16(withRecord(std::move(lines), original)), TextEncoding::utf16le,
                       endsWithLineEnd, codePage);
}

std::optional<std::string> joinRestoredFile(const std::vector<Line>& lines, TextEncoding encoding,
                                            bool endsWithLineEnd, const OriginalForm& original,
                                            const platform::AnsiCodePage& codePage) {
    auto bytes = joinIniFile(lines, encoding, endsWithLineEnd, codePage);
    // A code page that no longer holds their lines (the disk taken to
    // another computer) leaves the file UTF-16, every value the same.
    if (!bytes && encoding == TextEncoding::ansi && original.ansi) {
        bytes = joinIniFile(inUtf16(lines), TextEncoding::utf16le, endsWithLineEnd, codePage);
    }
    return bytes;
}

}  // namespace customisation
