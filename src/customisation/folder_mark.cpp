#include "customisation/folder_mark.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

bool setSystem(platform::FileAttributes& attributes, const std::u16string& folder, bool on) {
    const auto old = attributes.get(folder);
    if (!old) return false;
    const std::uint32_t kept = *old & attribute::settable & ~attribute::system;
    return attributes.set(folder, on ? kept | attribute::system : kept);
}

}  // namespace

bool markFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    return setSystem(attributes, folder, true);
}

bool unmarkFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    return setSystem(attributes, folder, false);
}

}  // namespace customisation
