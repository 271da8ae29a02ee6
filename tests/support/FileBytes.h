// Files written and read whole, as bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test_files {

// Writes the file, making its folder when missing.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace test_files
