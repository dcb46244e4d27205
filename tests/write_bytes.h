#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Writes bytes to a new file; false when it cannot be written whole. Header
// only, for the test programs of every build.
inline bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    // An empty vector's data() may be null, which fwrite must not be given.
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
