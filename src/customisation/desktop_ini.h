#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
};

// Everything in a customisation file that this program did not write: it is
// carried over whenever the file is rewritten.
struct ForeignContent {
    // Key lines that stand before any section.
    std::vector<std::u16string> beforeSections;
    // Other programs' key lines inside each of our sections.
    std::array<std::vector<std::u16string>, ourSectionCount> inOurSections;
    // Every other section, header and lines, whole and in file order.
    std::vector<std::u16string> otherSections;

    bool empty() const;
};

ForeignContent foreignContent(const std::vector<std::u16string>& lines);

// The twelve lines of our format, with the foreign content merged in.
std::vector<std::u16string> customisedLines(const Customisation& customisation,
                                            const ForeignContent& foreign);

// The foreign content alone, as a file without our customisation.
std::vector<std::u16string> uncustomisedLines(const ForeignContent& foreign);

}  // namespace customisation
