#include "customisation/folder_mark.h"

#include "customisation/drive_root.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

// The attributes of the folder with only the System bit changed.
std::optional<std::uint32_t> withSystem(const std::optional<std::uint32_t>& old, bool on) {
    if (!old) return std::nullopt;
    const std::uint32_t kept = *old & attribute::settable & ~attribute::system;
    return on ? kept | attribute::system : kept;
}

}  // namespace

platform::Outcome markFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    const auto old = attributes.get(folder);
    if (!old) return platform::Outcome::failure(platform::error::pathNotFound);
    if (*old & (attribute::system | attribute::readOnly)) return platform::Outcome::success();
    auto set = attributes.set(folder, *withSystem(old, true));
    if (!set) return set;
    const auto now = attributes.get(folder);
    if (!now || (*now & attribute::system) == 0) {
        return platform::Outcome::failure(platform::error::none);
    }
    return set;
}

platform::Outcome unmarkFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    if (isDriveRoot(folder)) return platform::Outcome::success();
    const auto old = attributes.get(folder);
    if (!old) return platform::Outcome::failure(platform::error::pathNotFound);
    if ((*old & attribute::system) == 0) return platform::Outcome::success();
    return attributes.set(folder, *withSystem(old, false));
}

}  // namespace customisation
