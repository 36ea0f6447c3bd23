#pragma once

#include "platform/user_registry.h"

namespace win32 {

class UserRegistry : public platform::UserRegistry {
  public:
    bool setText(const std::u16string& key, const std::u16string& name,
                 const std::u16string& value) override;
    std::optional<std::u16string> text(const std::u16string& key,
                                       const std::u16string& name) override;
    bool removeKey(const std::u16string& key) override;
};

}  // namespace win32
