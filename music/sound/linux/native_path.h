#pragma once
#include <string>

// The show names its files Windows-style ("Data\music.mp3").
inline std::string nativePath(const char* name)
{
    std::string path(name);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}
