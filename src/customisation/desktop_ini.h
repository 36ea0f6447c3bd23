#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "customisation/ini_file.h"

namespace customisation {

// The section of the folder-view extension that draws the background.
inline constexpr std::u16string_view viewExtensionId = u"{BE098140-A513-11D0-A3A4-00C04FD706EC}";

// Far beyond any real customisation file; a larger one is left alone rather
// than read into memory to be merged.
inline constexpr std::size_t largestMergedFile = std::size_t{8} * 1024 * 1024;

// The three sections this program writes, in the order it writes them.
enum class OurSection { shellClassInfo, extShellFolderViews, viewExtension };
inline constexpr std::size_t ourSectionCount = 3;

// What a folder is customised with: the texts written after the keys.
struct Customisation {
    std::u16string picturePath;
    std::u16string colourDigits;
    // Our icon file in the folder, named in [.ShellClassInfo]; nothing for
    // no icon of ours.
    std::optional<std::u16string> iconFile = std::nullopt;
};

// One section of a customisation file as it stood. In our sections only the
// lines we did not write are kept.
struct IniSection {
    Line header;
    std::optional<OurSection> ours;
    std::vector<Line> lines;
};

// A customisation file with everything this program wrote taken out. Lines
// keep their places, blank lines and comments included, so that taking our
// customisation out again gives back the file as it was.
struct ForeignContent {
    // Lines that stand before any section.
    std::vector<Line> beforeSections;
    // Every section in file order.
    std::vector<IniSection> sections;
    // The file held a line we write with our very text, or a key of our view
    // section: a file without either was never customised by this program.
    bool heldOurs = false;
    // The icon file our icon lines named, to be deleted once no longer named.
    std::optional<std::u16string> ourIconFile;
    // The folder has an icon of its own, which we never replace.
    bool ownIcon = false;

    // Nothing would be left of the file without our customisation.
    bool empty() const;
};

// Each function takes its lines by value: a caller done with them moves them
// in, and no line is copied on the way from the file read to the file written.
ForeignContent foreignContent(std::vector<Line> lines);

// The twelve lines of our format (fifteen with our icon), with the foreign content merged in.
std::vector<Line> customisedLines(const Customisation& customisation, ForeignContent foreign);

// The foreign content alone, as a file without our customisation. A section
// of ours with nothing left in it goes too.
std::vector<Line> uncustomisedLines(ForeignContent foreign);

}  // namespace customisation
