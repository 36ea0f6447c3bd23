#pragma once

#include "platform/system_error_text.h"

namespace win32 {

class SystemErrorText : public platform::SystemErrorText {
  public:
    std::u16string describe(std::uint32_t code) const override;
};

}  // namespace win32
