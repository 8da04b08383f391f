// Files as the writers must produce them, written by hand, CR LF line ends included.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

inline std::string ExpectedFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "expected" / name,
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
