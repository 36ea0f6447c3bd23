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
    // The encoding the file had before it became UTF-16 LE: ANSI whose code
    // page cannot hold our lines, or with a picture's name that is not plain
    // ASCII; UTF-8 or UTF-16 BE with a byte-order mark, which Windows' INI
    // reader takes for ANSI. Its other lines went back exactly to their old
    // bytes then, so they can be put back in it.
    std::optional<TextEncoding> converted;
    // The file was not Hidden; we hid it.
    bool visible = false;
    // The folder's System attribute before the first apply, where restoring
    // without the record would not give it back: a folder that had it loses
    // it when the file is deleted, one we marked keeps it when the file
    // stays. Files of earlier versions have no record.
    std::optional<bool> folderHadSystem;
};

// A read customisation file taken apart: its original form, and its lines in
// the encoding it had before we first wrote it, where they fit there.
struct TakenApart {
    TextEncoding encoding = TextEncoding::ansi;
    bool endsWithLineEnd = true;
    OriginalForm original;
    ForeignContent foreign;
};

// The record of the original form counts only in a file that holds our
// customisation; in any other file it is someone else's line like any other.
TakenApart takeApart(IniFile file, const platform::AnsiCodePage& codePage);

// The lines with the original form recorded after the first line, where
// there is something to record.
std::vector<Line> withOriginalForm(std::vector<Line> lines, const OriginalForm& form);

// The customised lines in `encoding`, with the original form recorded after
// the first line. A file becomes UTF-16 LE with a byte-order mark, the one
// Unicode form Windows' INI reader reads as Unicode, and records what it
// was, when it was UTF-8 or UTF-16 BE, or ANSI where the code page cannot
// hold every line or `ansiAllowed` is false.
std::optional<std::string> joinCustomisedFile(std::vector<Line> lines, TextEncoding encoding,
                                              bool endsWithLineEnd, OriginalForm original,
                                              bool ansiAllowed,
                                              const platform::AnsiCodePage& codePage);

// Their lines alone, in the encoding the file had before we first wrote it
// where it still holds them.
std::optional<std::string> joinRestoredFile(const std::vector<Line>& lines, TextEncoding encoding,
                                            bool endsWithLineEnd, const OriginalForm& original,
                                            const platform::AnsiCodePage& codePage);

}  // namespace customisation
