#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_icon_maker.h"

namespace fakes {

// Makes an "icon" of the pictures it knows: bytes that differ from picture to
// picture, so that each has its own icon file name.
class FakeIconMaker : public platform::FolderIconMaker {
  public:
    std::optional<std::string> makeIcon(const std::u16string& picturePath) override {
        asked.push_back(picturePath);
        auto found = icons.find(picturePath);
        if (found == icons.end()) return std::nullopt;
        return found->second;
    }
    // Gives `picturePath` an icon of `bytes`.
    void know(const std::u16string& picturePath, std::string bytes) {
        icons[picturePath] = std::move(bytes);
    }
    std::map<std::u16string, std::string> icons;
    std::vector<std::u16string> asked;
};

}  // namespace fakes
