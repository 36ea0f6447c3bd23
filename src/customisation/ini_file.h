#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_code_page.h"

namespace customisation {

// One line of a customisation file. A line read from a file keeps the bytes
// it came from, so that a line we do not own goes back exactly as it was;
// a line we write has only its text.
struct Line {
    std::u16string text;
    std::optional<std::string> bytes;  // without the line end
    std::string end;                   // CR LF, LF or CR; empty for a last line without one

    Line(std::u16string text) : text(std::move(text)) {}  // NOLINT: ours are made from texts
    Line(std::u16string text, std::string bytes, std::string end)
        : text(std::move(text)), bytes(std::move(bytes)), end(std::move(end)) {}
};

enum class TextEncoding { ansi, utf8, utf16le, utf16be };

// A file split into lines that join back into exactly its bytes.
struct IniFile {
    TextEncoding encoding = TextEncoding::ansi;
    std::vector<Line> lines;
    // False when the last line has no line end; the file keeps that.
    bool endsWithLineEnd = true;
};

// Nothing when the bytes cannot be split into lines that give them back
// byte for byte: UTF-16 without a byte-order mark, or with an odd byte at
// the end; invalid UTF-8 after its mark; an ANSI line with a NUL byte or a
// sequence the code page does not map back to the same bytes.
std::optional<IniFile> splitIniFile(std::string_view bytes, const platform::AnsiCodePage& codePage);

// The text in `encoding`, only where it reads back as the same text.
std::optional<std::string> exactBytes(std::u16string_view text, TextEncoding encoding,
                                      const platform::AnsiCodePage& codePage);

// The lines in the file's encoding: read lines as their own bytes, ours
// encoded, each followed by its own line end or CR LF. Nothing when a line
// of ours has no exact form in the encoding, or when ANSI bytes would begin
// like a byte-order mark.
std::optional<std::string> joinIniFile(const std::vector<Line>& lines, TextEncoding encoding,
                                       bool endsWithLineEnd,
                                       const platform::AnsiCodePage& codePage);

}  // namespace customisation
