#pragma once

#include <string>
#include <string_view>

#include "platform/user_registry.h"

namespace foldermenu {

// The entry in the menu of every folder and drive that opens this program
// on that folder, for the current Windows user only: it lives under
// HKEY_CURRENT_USER\Software\Classes, which needs no administrator rights.
class FolderMenuEntry {
  public:
    static constexpr std::u16string_view text = u"تغيير خلفية المجلد…";

    FolderMenuEntry(platform::UserRegistry& registry, std::u16string program);

    // Whether the entry of folders and of drives both run this very program.
    bool pointsHere() const;
    // Adds the entry, or points it here; on failure nothing of it is left.
    bool add();
    // Removes exactly the keys `add` writes, and nothing else.
    bool remove();

  private:
    std::u16string command() const;

    platform::UserRegistry& registry_;
    std::u16string program_;
};

}  // namespace foldermenu
