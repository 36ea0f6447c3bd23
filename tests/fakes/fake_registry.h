#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/user_registry.h"

namespace fakes {

// The current user's registry as a map of keys to their text values. A key
// named in `refused` cannot be written.
class FakeRegistry : public platform::UserRegistry {
  public:
    using Values = std::map<std::u16string, std::u16string>;

    bool setText(const std::u16string& key, const std::u16string& name,
                 const std::u16string& value) override {
        if (refused.count(key)) return false;
        // As the real one, keys above it come into being too.
        for (auto slash = key.find(u'\\'); slash != std::u16string::npos;
             slash = key.find(u'\\', slash + 1)) {
            keys[key.substr(0, slash)];
        }
        keys[key][name] = value;
        return true;
    }
    std::optional<std::u16string> text(const std::u16string& key,
                                       const std::u16string& name) override {
        auto k = keys.find(key);
        if (k == keys.end()) return std::nullopt;
        auto v = k->second.find(name);
        if (v == k->second.end()) return std::nullopt;
        return v->second;
    }
    bool removeKey(const std::u16string& key) override {
        // A key with subkeys is refused, as RegDeleteKeyW refuses it.
        auto below = keys.lower_bound(key + u"\\");
        if (below != keys.end() && below->first.starts_with(key + u"\\")) return false;
        keys.erase(key);
        return true;
    }

    std::map<std::u16string, Values> keys;
    std::set<std::u16string> refused;
};

}  // namespace fakes
