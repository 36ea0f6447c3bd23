#pragma once

#include <string_view>

// Who publishes this program: written into every customisation file and shown
// by the about box and the web link. Keep them free of commas and double
// quotes, so each line of the file stays a single field.
namespace publisher {

inline constexpr std::u16string_view siteName = u"الأدوات العربية المفتوحة";
inline constexpr std::u16string_view siteHost = u"fbg.example.net";
inline constexpr std::u16string_view siteUrl = u"https://fbg.example.net";
inline constexpr std::u16string_view authorName = u"فريق تطوير خلفية المجلد";
inline constexpr std::u16string_view email = u"team@fbg.example.net";

}  // namespace publisher
