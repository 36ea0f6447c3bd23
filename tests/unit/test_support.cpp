#include "test_support.h"

#include <stdexcept>

#include "fake_code_page.h"

std::string cp1256(std::u16string_view text) {
    auto bytes = fakes::Cp1256().encodeExactly(text);
    if (!bytes) throw std::invalid_argument("text outside code page 1256");
    return *bytes;
}

std::string iniFile(std::initializer_list<std::u16string_view> lines) {
    std::string bytes;
    for (auto line : lines) bytes += cp1256(line) + "\r\n";
    return bytes;
}
