#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace customisation {

// UTF-8 with each invalid byte taken as U+FFFD, for reading what is there.
std::u16string decodeUtf8(std::string_view bytes);

// UTF-8 that gives back exactly these bytes when encoded again; nothing for
// invalid, overlong or surrogate sequences.
std::optional<std::u16string> decodeUtf8Exactly(std::string_view bytes);

// Nothing for a lone surrogate, which UTF-8 cannot hold.
std::optional<std::string> encodeUtf8(std::u16string_view text);

// A dangling odd byte cannot be half of a character: it is dropped.
std::u16string decodeUtf16(std::string_view bytes, bool bigEndian);
std::string encodeUtf16(std::u16string_view text, bool bigEndian);

}  // namespace customisation
