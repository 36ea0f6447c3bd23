#include "customisation/folder_mark.h"

namespace customisation {
namespace {

namespace attribute = platform::attribute;

bool setSystem(platform::FileAttributes& attributes, const std::u16string& folder, bool on) {
    const auto old = attributes.get(folder);
    if (!old) return false;
    const std::uint32_t kept = *old & attribute::settable & ~attribute::system;
    const std::uint32_t wanted = on ? kept | attribute::system : kept;
    // Writing the attributes a folder already has would cost a write for nothing.
    if ((*old & attribute::settable) == wanted) return true;
    return attributes.set(folder, wanted);
}

}  // namespace

bool markFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    return setSystem(attributes, folder, true);
}

bool unmarkFolder(platform::FileAttributes& attributes, const std::u16string& folder) {
    return setSystem(attributes, folder, false);
}

}  // namespace customisation
