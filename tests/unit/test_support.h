#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The folder most tests customise on their fake disk, and its Desktop.ini.
namespace test_folder {
inline constexpr char16_t folder[] = u"C:\\Data\\";
inline constexpr char16_t iniPath[] = u"C:\\Data\\Desktop.ini";
}  // namespace test_folder

// Reads a file of tests/data as bytes.
inline std::string testData(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Text in the fake ANSI code page (1256), for building file contents.
std::string cp1256(std::u16string_view text);

// Lines joined with CR LF after each, as bytes in code page 1256.
std::string iniFile(std::initializer_list<std::u16string_view> lines);
