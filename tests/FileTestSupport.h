#pragma once

// Reading and writing whole files in tests, and listing what a folder holds.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace tervane::testing {

/// The bytes of a file (empty when it cannot be read).
inline std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Writes bytes as the whole file.
inline void Put(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

/// The paths below dir, relative to it.
inline std::set<std::string> Names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        names.insert(entry.path().lexically_relative(dir).string());
    return names;
}

} // namespace tervane::testing
