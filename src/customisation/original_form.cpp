#include "customisation/original_form.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "customisation/ini_line.h"
#include "customisation/unicode.h"

namespace customisation {
namespace {

constexpr std::u16string_view recordPrefix = u";before customisation:";
constexpr std::u16string_view visibleWord = u"visible";
constexpr std::u16string_view systemFolderWord = u"system folder";
constexpr std::u16string_view folderNotSystemWord = u"folder not system";

struct EncodingWord {
    TextEncoding encoding;
    std::u16string_view word;
};
constexpr std::array encodingWords{EncodingWord{TextEncoding::ansi, u"ansi"},
                                   EncodingWord{TextEncoding::utf8, u"utf-8"},
                                   EncodingWord{TextEncoding::utf16be, u"utf-16 be"}};
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
        bool known = word.empty();
        for (const auto& [encoding, name] : encodingWords) {
            if (equalsIgnoringCase(word, name)) {
                form.converted = encoding;
                known = true;
            }
        }
        if (equalsIgnoringCase(word, visibleWord)) form.visible = known = true;
        if (equalsIgnoringCase(word, systemFolderWord)) {
            form.folderHadSystem = true;
            known = true;
        }
        if (equalsIgnoringCase(word, folderNotSystemWord)) {
            form.folderHadSystem = false;
            known = true;
        }
        // A word we never write: someone's own comment that begins like
        // ours, which restoring must keep.
        if (!known) return std::nullopt;
        rest = comma == std::u16string_view::npos ? std::u16string_view{} : rest.substr(comma + 1);
    }
    return form;
}

std::u16string recordLine(const OriginalForm& form) {
    std::u16string line(recordPrefix);
    const char16_t* separator = u" ";
    auto add = [&](std::u16string_view word) {
        line += separator;
        line += word;
        separator = u", ";
    };
    for (const auto& [encoding, word] : encodingWords) {
        if (form.converted == encoding) add(word);
    }
    if (form.visible) add(visibleWord);
    if (form.folderHadSystem.has_value())
        add(*form.folderHadSystem ? systemFolderWord : folderNotSystemWord);
    return line;
}

}  // namespace

std::vector<Line> withOriginalForm(std::vector<Line> lines, const OriginalForm& form) {
    const bool needed = form.converted || form.visible || form.folderHadSystem.has_value();
    // A line of theirs in the record's place would be taken for ours when
    // restoring: an empty record stands in front of it.
    const bool shadowed = lines.size() > recordAt && parseRecord(lines[recordAt].text);
    if (needed || shadowed) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(recordAt, lines.size())),
                     Line(recordLine(form)));
    }
    return lines;
}

namespace {

// A line end's text from its bytes in `encoding`.
std::u16string endText(const std::string& end, TextEncoding encoding) {
    if (encoding == TextEncoding::utf16le || encoding == TextEncoding::utf16be) {
        return decodeUtf16(end, encoding == TextEncoding::utf16be);
    }
    return {end.begin(), end.end()};
}

// A converted file's lines as the original file's: each that the original
// encoding holds exactly as its old bytes, the others (ours among them) as
// texts to be encoded when written. Nothing for an ANSI file with a NUL, at
// which the system's INI reader would stop.
std::optional<IniFile> inOriginalEncoding(const IniFile& file, TextEncoding original,
                                          const platform::AnsiCodePage& codePage) {
    if (file.encoding != TextEncoding::utf16le) return std::nullopt;
    IniFile back{original, {}, file.endsWithLineEnd};
    back.lines.reserve(file.lines.size());
    for (const auto& line : file.lines) {
        if (original == TextEncoding::ansi && line.text.find(u'\0') != std::u16string::npos) {
            return std::nullopt;
        }
        Line converted(line.text);
        converted.end =
            exactBytes(endText(line.end, file.encoding), original, codePage).value_or("\r\n");
        converted.bytes = exactBytes(line.text, original, codePage);
        back.lines.push_back(std::move(converted));
    }
    return back;
}

// Lines in UTF-16 LE: the same texts, so the same values to any reader.
std::vector<Line> inUtf16(std::vector<Line> lines, TextEncoding from) {
    for (auto& line : lines) {
        if (line.bytes) line.bytes = encodeUtf16(line.text, false);
        line.end = encodeUtf16(endText(line.end, from), false);
    }
    return lines;
}

}  // namespace

TakenApart takeApart(IniFile file, const platform::AnsiCodePage& codePage) {
    if (file.lines.size() > recordAt) {
        if (auto original = parseRecord(file.lines[recordAt].text)) {
            // A copy without the record: a file that holds nothing of ours
            // keeps the line as someone else's.
            IniFile ours{file.encoding, {}, file.endsWithLineEnd};
            ours.lines.reserve(file.lines.size() - 1);
            for (std::size_t i = 0; i < file.lines.size(); ++i) {
                if (i != recordAt) ours.lines.push_back(file.lines[i]);
            }
            // Restoring gives back the file we converted: recorded, rather
            // than guessed from the lines, which would turn a file that was
            // UTF-16 all along into ANSI too.
            if (original->converted) {
                if (auto back = inOriginalEncoding(ours, *original->converted, codePage)) {
                    ours = *std::move(back);
                }
            }
            auto foreign = foreignContent(std::move(ours.lines));
            if (foreign.heldOurs) {
                return {ours.encoding, ours.endsWithLineEnd, *original, std::move(foreign)};
            }
        }
    }
    return {file.encoding, file.endsWithLineEnd, {}, foreignContent(std::move(file.lines))};
}

std::optional<std::string> joinCustomisedFile(std::vector<Line> lines, TextEncoding encoding,
                                              bool endsWithLineEnd, OriginalForm original,
                                              bool ansiAllowed,
                                              const platform::AnsiCodePage& codePage) {
    if (encoding == TextEncoding::utf16le) {
        return joinIniFile(withOriginalForm(std::move(lines), original), encoding, endsWithLineEnd,
                           codePage);
    }
    if (encoding == TextEncoding::ansi && ansiAllowed) {
        original.converted.reset();
        if (auto bytes = joinIniFile(withOriginalForm(lines, original), encoding, endsWithLineEnd,
                                     codePage)) {
            return bytes;
        }
    }
    original.converted = encoding;
    return joinIniFile(inUtf16(withOriginalForm(std::move(lines), original), encoding),
                       TextEncoding::utf16le, endsWithLineEnd, codePage);
}

std::optional<std::string> joinRestoredFile(const std::vector<Line>& lines, TextEncoding encoding,
                                            bool endsWithLineEnd, const OriginalForm& original,
                                            const platform::AnsiCodePage& codePage) {
    auto bytes = joinIniFile(lines, encoding, endsWithLineEnd, codePage);
    // An encoding that no longer holds their lines (the disk taken to
    // another computer, or a line added since in UTF-16) leaves the file
    // UTF-16, every value the same.
    if (!bytes && original.converted == encoding) {
        bytes =
            joinIniFile(inUtf16(lines, encoding), TextEncoding::utf16le, endsWithLineEnd, codePage);
    }
    return bytes;
}

}  // namespace customisation
