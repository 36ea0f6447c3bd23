#include "platform/win32/number_locale.h"

#include <windows.h>

namespace win32 {

char16_t NumberLocale::decimalSeparator() const {
    wchar_t separator[8]{};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) {
        return u'.';
    }
    return static_cast<char16_t>(separator[0]);
}

}  // namespace win32
