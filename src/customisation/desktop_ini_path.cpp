#include "customisation/desktop_ini_path.h"

namespace customisation {

std::u16string desktopIniPath(std::u16string_view folder) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') {
        path += u'\\';
    }
    path += u"Desktop.ini";
    return path;
}

}  // namespace customisation
