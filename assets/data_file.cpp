#include "assets/data_file.h"

#include <filesystem>
#include <system_error>

namespace {
std::string& dataFolder()
{
    static std::string folder;
    return folder;
}
}  // namespace

void setDataFolder(const std::string& folder)
{
    dataFolder() = folder;
}

std::string dataFilePath(const char* showName)
{
    std::string path = showName ? showName : "";
    const std::string& folder = dataFolder();
    if (!folder.empty() && path.compare(0, 5, "Data\\") == 0)
        path = folder + "/" + path.substr(5);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::FILE* openDataFile(const char* showName)
{
    return std::fopen(dataFilePath(showName).c_str(), "rb");
}

bool dataFileExists(const char* showName)
{
    std::error_code error;
    return std::filesystem::exists(dataFilePath(showName), error);
}

bool readDataFile(const char* showName, std::vector<unsigned char>& bytes)
{
    bytes.clear();
    std::FILE* file = openDataFile(showName);
    if (!file)
        return false;
    unsigned char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}
