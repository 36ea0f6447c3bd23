#include "customisation/drive_root.h"

#include "platform/ascii.h"

namespace customisation {
namespace {

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = platform::ascii::toUpper(text[i]);
        if (c == u'/') c = u'\\';
        if (c != prefix[i]) return false;
    }
    return true;
}

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

bool isDriveRoot(std::u16string_view folder) {
    bool unc = false;
    if (startsWith(folder, u"\\\\?\\UNC\\")) {
        folder.remove_prefix(8);
        unc = true;
    } else if (startsWith(folder, u"\\\\?\\") || startsWith(folder, u"\\\\.\\")) {
        folder.remove_prefix(4);
    } else if (startsWith(folder, u"\\\\")) {
        folder.remove_prefix(2);
        unc = true;
    }
    while (!folder.empty() && isSeparator(folder.back())) folder.remove_suffix(1);
    if (!unc) return folder.size() == 2 && folder[1] == u':';
    // server\share: two names, nothing below them.
    int names = 0;
    bool inName = false;
    for (char16_t c : folder) {
        if (isSeparator(c)) {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++names;
        }
    }
    return names == 2;
}

}  // namespace customisation
