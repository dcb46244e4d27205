#include "assets/data_file.h"

#include <filesystem>
#include <system_error>

std::string dataFilePath(const char* showName)
{
    std::string path = showName ? showName : "";
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
