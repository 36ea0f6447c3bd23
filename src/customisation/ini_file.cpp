#include "customisation/ini_file.h"

#include <algorithm>

#include "customisation/ansi_exact.h"
#include "customisation/unicode.h"

namespace customisation {
namespace {

constexpr std::string_view utf16leMark = "\xFF\xFE";
constexpr std::string_view utf16beMark = "\xFE\xFF";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

std::string_view markOf(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::utf16le:
            return utf16leMark;
        case TextEncoding::utf16be:
            return utf16beMark;
        case TextEncoding::utf8:
            return utf8Mark;
        case TextEncoding::ansi:
            break;
    }
    return {};
}

bool isUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::utf16le || encoding == TextEncoding::utf16be;
}

// The code unit at `i`, enough to find the line ends.
char16_t unitAt(std::string_view body, std::size_t i, TextEncoding encoding) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(body[k]); };
    switch (encoding) {
        case TextEncoding::utf16le:
            return static_cast<char16_t>(byte(i) | byte(i + 1) << 8);
        case TextEncoding::utf16be:
            return static_cast<char16_t>(byte(i) << 8 | byte(i + 1));
        default:
            return byte(i);
    }
}

std::optional<std::u16string> decodeExactly(std::string_view bytes, TextEncoding encoding,
                                            const platform::AnsiCodePage& codePage) {
    switch (encoding) {
        case TextEncoding::utf16le:
        case TextEncoding::utf16be:
            return decodeUtf16(bytes, encoding == TextEncoding::utf16be);
        case TextEncoding::utf8:
            return decodeUtf8Exactly(bytes);
        case TextEncoding::ansi:
            break;
    }
    return exactAnsiText(bytes, codePage);
}

}  // namespace

std::optional<std::string> exactBytes(std::u16string_view text, TextEncoding encoding,
                                      const platform::AnsiCodePage& codePage) {
    switch (encoding) {
        case TextEncoding::utf16le:
        case TextEncoding::utf16be:
            return encodeUtf16(text, encoding == TextEncoding::utf16be);
        case TextEncoding::utf8:
            return encodeUtf8(text);
        case TextEncoding::ansi:
            break;
    }
    return exactAnsiBytes(text, codePage);
}

std::optional<IniFile> splitIniFile(std::string_view bytes,
                                    const platform::AnsiCodePage& codePage) {
    IniFile file;
    if (bytes.starts_with(utf16leMark)) {
        file.encoding = TextEncoding::utf16le;
    } else if (bytes.starts_with(utf16beMark)) {
        file.encoding = TextEncoding::utf16be;
    } else if (bytes.starts_with(utf8Mark)) {
        file.encoding = TextEncoding::utf8;
    }
    const std::string_view body = bytes.substr(markOf(file.encoding).size());
    const std::size_t unit = isUtf16(file.encoding) ? 2 : 1;
    if (body.size() % unit != 0) return std::nullopt;

    // Room for a line at each LF byte, so that the lines already split are
    // not moved again as more come.
    file.lines.reserve(static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 1);
    auto add = [&](std::string_view line, std::string_view end) {
        auto text = decodeExactly(line, file.encoding, codePage);
        if (!text) return false;
        file.lines.emplace_back(std::move(*text), std::string(line), std::string(end));
        return true;
    };
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < body.size()) {
        const char16_t c = unitAt(body, i, file.encoding);
        if (c != u'\r' && c != u'\n') {
            i += unit;
            continue;
        }
        std::size_t endLength = unit;
        if (c == u'\r' && i + unit < body.size() &&
            unitAt(body, i + unit, file.encoding) == u'\n') {
            endLength += unit;
        }
        if (!add(body.substr(start, i - start), body.substr(i, endLength))) return std::nullopt;
        i += endLength;
        start = i;
    }
    if (start < body.size()) {
        if (!add(body.substr(start), {})) return std::nullopt;
        file.endsWithLineEnd = false;
    }
    return file;
}

std::optional<std::string> joinIniFile(const std::vector<Line>& lines, TextEncoding encoding,
                                       bool endsWithLineEnd,
                                       const platform::AnsiCodePage& codePage) {
    const auto crlf = exactBytes(u"\r\n", encoding, codePage);
    const auto cr = exactBytes(u"\r", encoding, codePage);
    const auto lf = exactBytes(u"\n", encoding, codePage);
    if (!crlf || !cr || !lf) return std::nullopt;
    std::string bytes(markOf(encoding));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.bytes) {
            bytes += *line.bytes;
        } else if (auto ours = exactBytes(line.text, encoding, codePage)) {
            bytes += *ours;
        } else {
            return std::nullopt;
        }
        // An empty line without its end would be no line at all.
        const bool empty = line.bytes ? line.bytes->empty() : line.text.empty();
        if (i + 1 == lines.size() && !endsWithLineEnd && !empty) break;
        // With the line between them gone, a lone CR and an empty line's LF
        // would read as one line end, and the empty line would be lost.
        const bool joinsWithCr = i > 0 && lines[i - 1].end == *cr && line.end == *lf && empty;
        bytes += line.end.empty() || joinsWithCr ? *crlf : line.end;
    }
    // ANSI that begins like a byte-order mark would be read back as another
    // encoding altogether.
    if (encoding == TextEncoding::ansi &&
        (bytes.starts_with(utf16leMark) || bytes.starts_with(utf16beMark) ||
         bytes.starts_with(utf8Mark))) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace customisation
