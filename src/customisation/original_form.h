#pragma once

#include <optional>
#include <string>
#include <vector>

#include "customisation/desktop_ini.h"
#include "customisation/ini_file.h"
#include "platform/ansi_code_page.h"

namespace customisation {

// What a customised file can no longer show of the file it was before this
// program first wrote into it, so that restoring gives that file back.
// Written as a comment line of ours after the warning line, only when there
// is something to say; the shell ignores lines before the first section.
struct OriginalForm {
    // The file was ANSI, and is UTF-16 LE because the code page cannot hold
    // our lines or the picture's name. Its other lines went back exactly to
    // their old bytes then, so they can be put back in ANSI.
    bool ansi = false;
    // The file was not Hidden; we hid it.
    bool visible = false;
};

// A read customisation file taken apart: its original form, and its lines in
// the encoding it had before we first wrote it, where they fit there.
struct TakenApart {
    IniFile file;
    OriginalForm original;
    ForeignContent foreign;
};

// The record of the original form counts only in a file that holds our
// customisation; in any other file it is someone else's line like any other.
TakenApart takeApart(IniFile file, const platform::AnsiCodePage& codePage);

// The customised lines in `encoding`, with the original form recorded after
// the first line. An ANSI file whose code page cannot hold every line
// becomes UTF-16 LE with a byte-order mark, which the system's INI reader
// reads as well, and records that it was ANSI.
std::optional<std::string> joinCustomisedFile(std::vector<Line> lines, TextEncoding encoding,
                                              bool endsWithLineEnd, OriginalForm original,
                                              const platform::AnsiCodePage& codePage);

// Their lines alone, in the encoding the file had before we first wrote it
// where it still holds them.
std::optional<std::string> joinRestoredFile(const std::vector<Line>& lines, TextEncoding encoding,
                                            bool endsWithLineEnd, const OriginalForm& original,
                                            const platform::AnsiCodePage& codePage);

}  // namespace customisation
