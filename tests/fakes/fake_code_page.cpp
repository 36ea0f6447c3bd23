#include "fake_code_page.h"

#include <array>
#include <cstdint>

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

}  // namespace

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
