#pragma once

#include <optional>
#include <string>

namespace platform {

// Text values under the current user's own registry keys
// (HKEY_CURRENT_USER), which need no administrator rights. `key` is a path
// below that root; an empty `name` is the key's default value.
class UserRegistry {
  public:
    virtual ~UserRegistry() = default;

    // Creates the key, and any key above it, as needed.
    virtual bool setText(const std::u16string& key, const std::u16string& name,
                         const std::u16string& value) = 0;
    // Nothing when the key or value is missing or holds no text.
    virtual std::optional<std::u16string> text(const std::u16string& key,
                                               const std::u16string& name) = 0;
    // Deletes a key that has no subkeys; true when the key is gone, also when
    // it was never there.
    virtual bool removeKey(const std::u16string& key) = 0;
};

}  // namespace platform
