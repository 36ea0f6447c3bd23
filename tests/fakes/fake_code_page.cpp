#include "fake_code_page.h"

#include <array>
#include <cstdint>
#include <utility>

namespace fakes {
namespace {

using UpperHalf = std::array<char16_t, 128>;

// Bytes 0x80 to 0xFF; below them both code pages are ASCII.
constexpr UpperHalf arabic{
    8364, 1662, 8218, 402,  8222, 8230, 8224, 8225, 710,  8240, 1657, 8249, 338,  1670, 1688, 1672,
    1711, 8216, 8217, 8220, 8221, 8226, 8211, 8212, 1705, 8482, 1681, 8250, 339,  8204, 8205, 1722,
    160,  1548, 162,  163,  164,  165,  166,  167,  168,  169,  1726, 171,  172,  173,  174,  175,
    176,  177,  178,  179,  180,  181,  182,  183,  184,  185,  1563, 187,  188,  189,  190,  1567,
    1729, 1569, 1570, 1571, 1572, 1573, 1574, 1575, 1576, 1577, 1578, 1579, 1580, 1581, 1582, 1583,
    1584, 1585, 1586, 1587, 1588, 1589, 1590, 215,  1591, 1592, 1593, 1594, 1600, 1601, 1602, 1603,
    224,  1604, 226,  1605, 1606, 1607, 1608, 231,  232,  233,  234,  235,  1609, 1610, 238,  239,
    1611, 1612, 1613, 1614, 244,  1615, 1616, 247,  1617, 249,  1618, 251,  252,  8206, 8207, 1746,
};

// The five bytes Western European leaves unassigned map to the C1 controls
// of the same number, both ways, as the system's conversion does.
constexpr UpperHalf western = [] {
    UpperHalf half{8364, 129,  8218, 402,  8222, 8230, 8224, 8225, 710,  8240, 352,
                   8249, 338,  141,  381,  143,  144,  8216, 8217, 8220, 8221, 8226,
                   8211, 8212, 732,  8482, 353,  8250, 339,  157,  382,  376};
    for (std::size_t i = 32; i < half.size(); ++i) half[i] = static_cast<char16_t>(0x80 + i);
    return half;
}();

// Every UTF-16 unit's byte, or -1 where the code page has none: a search
// through the upper half per character made the fuzzer crawl.
using EncodeTable = std::array<std::int16_t, 0x10000>;

EncodeTable makeEncodeTable(const UpperHalf& upperHalf) {
    EncodeTable table;
    table.fill(-1);
    for (int c = 0; c < 0x80; ++c) table[c] = static_cast<std::int16_t>(c);
    for (std::size_t i = 0; i < upperHalf.size(); ++i) {
        table[upperHalf[i]] = static_cast<std::int16_t>(0x80 + i);
    }
    return table;
}

std::optional<std::string> encode(const EncodeTable& table, std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text) {
        const std::int16_t byte = table[c];
        if (byte < 0) return std::nullopt;
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

std::u16string decode(const UpperHalf& upperHalf, std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        auto byte = static_cast<unsigned char>(b);
        text += byte < 0x80 ? char16_t{byte} : upperHalf[byte - 0x80];
    }
    return text;
}

constexpr char16_t replacement = 0xFFFD;

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUtf8(std::string& bytes, char32_t c) {
    if (c < 0x80) {
        bytes += static_cast<char>(c);
        return;
    }
    const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
    bytes += static_cast<char>(lead[tail] | (c >> (6 * tail)));
    for (int k = tail - 1; k >= 0; --k) bytes += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

// The code point of the valid sequence at `i` and its length; length 0 for
// an invalid one.
std::pair<char32_t, std::size_t> utf8At(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > bytes.size()) return {0, 0};
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
    return {c, length};
}

}  // namespace

std::optional<std::string> Utf8Conversion::toBytes(unsigned codePage, std::uint32_t flags,
                                                   std::u16string_view text,
                                                   bool* usedDefault) const {
    if (codePage != 65001 || usedDefault) return std::nullopt;
    if ((flags & ~platform::conversion_flag::errInvalidChars) != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            if (flags & platform::conversion_flag::errInvalidChars) return std::nullopt;
            c = replacement;
        }
        appendUtf8(bytes, c);
    }
    return bytes;
}

std::u16string Utf8Conversion::toText(unsigned codePage, std::string_view bytes) const {
    if (codePage != 65001) return {};
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        auto [c, length] = utf8At(bytes, i);
        if (length == 0) {
            text += replacement;
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
        i += length;
    }
    return text;
}

std::optional<std::string> Cp1256::encodeExactly(std::u16string_view text) const {
    static const EncodeTable table = makeEncodeTable(arabic);
    return encode(table, text);
}

std::u16string Cp1256::decode(std::string_view bytes) const { return fakes::decode(arabic, bytes); }

std::optional<std::string> Cp1252::encodeExactly(std::u16string_view text) const {
    static const EncodeTable table = makeEncodeTable(western);
    return encode(table, text);
}

std::u16string Cp1252::decode(std::string_view bytes) const {
    return fakes::decode(western, bytes);
}

}  // namespace fakes
