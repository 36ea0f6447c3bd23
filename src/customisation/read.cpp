#include "customisation/read.h"

#include "customisation/desktop_ini.h"
#include "customisation/desktop_ini_path.h"
#include "customisation/folder_icon_lines.h"
#include "customisation/ini_line.h"
#include "customisation/ini_scan.h"
#include "customisation/picture_path.h"

namespace customisation {
namespace {

// The reader runs on every keystroke in the folder box; a larger file is no
// customisation file and must not stall the window.
constexpr std::size_t largestReadFile = std::size_t{64} * 1024;

// The first value of a key in our view section, else the first anywhere.
class KeyFinder {
  public:
    explicit KeyFinder(std::u16string_view key) : key_(key) {}

    void offer(std::u16string_view key, std::u16string_view line, bool inViewSection) {
        if (!equalsIgnoringCase(key, key_)) return;
        if (inViewSection && !inSection_) inSection_ = std::u16string(keyValue(line));
        if (!anywhere_) anywhere_ = std::u16string(keyValue(line));
    }

    std::optional<std::u16string> value() const { return inSection_ ? inSection_ : anywhere_; }

  private:
    std::u16string_view key_;
    std::optional<std::u16string> inSection_;
    std::optional<std::u16string> anywhere_;
};

}  // namespace

FoundCustomisation readCustomisation(Disk& disk, std::u16string_view folder) {
    if (folder.empty()) return {};
    auto file = disk.files.read(desktopIniPath(folder), largestReadFile);
    if (file.status != platform::ReadStatus::ok) return {};

    KeyFinder picture(u"IconArea_Image");
    KeyFinder colour(u"IconArea_Text");
    bool inViewSection = false;
    bool inShellClassInfo = false;
    bool ourIcon = false;
    bool ownIcon = false;
    for (const auto& line :
         headerAndKeyLines(file.bytes, disk.codePage,
                           {u"IconArea_Image", u"IconArea_Text", u"IconResource", u"IconFile"})) {
        if (auto section = sectionName(line)) {
            inViewSection = equalsIgnoringCase(*section, viewExtensionId);
            inShellClassInfo = equalsIgnoringCase(*section, u".ShellClassInfo");
        } else if (auto key = keyName(line)) {
            picture.offer(*key, line, inViewSection);
            colour.offer(*key, line, inViewSection);
            if (!inShellClassInfo) continue;
            const auto kind = iconLineKind(line);
            ourIcon = ourIcon || kind == IconLine::ours;
            ownIcon = ownIcon || kind == IconLine::theirs;
        }
    }
    // An icon of the folder's own wins: apply keeps it and drops ours.
    FoundCustomisation found{std::nullopt, colour.value(), false, ourIcon && !ownIcon, ownIcon};
    if (auto value = picture.value()) {
        if (auto named = picturePathFromValue(folder, *value)) {
            found.picturePath = std::move(named->path);
            found.pictureInFolder = named->inFolder;
        }
    }
    return found;
}

}  // namespace customisation
