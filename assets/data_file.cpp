#include "assets/data_file.h"

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
