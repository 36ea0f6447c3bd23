#pragma once

namespace platform {

// The user's locale as far as reading numbers needs it.
class NumberLocale {
  public:
    virtual ~NumberLocale() = default;
    virtual char16_t decimalSeparator() const = 0;
};

}  // namespace platform
