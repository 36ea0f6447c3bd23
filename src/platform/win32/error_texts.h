#pragma once

#include "platform/system_error.h"

namespace win32 {

// The system's message for an error code, in the user's language.
class ErrorTexts : public platform::ErrorTexts {
  public:
    std::u16string describe(platform::SystemError error) const override;
};

}  // namespace win32
