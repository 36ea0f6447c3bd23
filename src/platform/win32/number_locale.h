#pragma once

#include "platform/number_locale.h"

namespace win32 {

class NumberLocale : public platform::NumberLocale {
  public:
    char16_t decimalSeparator() const override;
};

}  // namespace win32
