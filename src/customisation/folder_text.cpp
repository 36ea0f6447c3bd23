#include "customisation/folder_text.h"

namespace customisation {
namespace {

// "C:\" and anything shorter is a root or no folder at all.
constexpr std::size_t rootLength = 3;

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

std::u16string withoutEndingSeparators(std::u16string_view path) {
    while (path.size() > rootLength && isSeparator(path.back())) path.remove_suffix(1);
    return std::u16string(path);
}

std::u16string folderText(std::u16string_view path) {
    std::u16string folder = withoutEndingSeparators(path);
    if (folder.size() > rootLength) folder += u'\\';
    return folder;
}

}  // namespace customisation
