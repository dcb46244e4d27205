#include "music/sound/module_refusal.h"

#include <cstdio>
#include <string>

#include "assets/data_file.h"

bool refuseModuleFile(const char* build, const char* fileName, std::vector<float>& pcm, const char*& why)
{
    pcm.clear();
    std::FILE* file = openDataFile(fileName);
    if (!file) {
        why = "cannot be opened";
        return false;
    }
    std::fclose(file);
    // A program is one build with one name: its words are made once.
    static const std::string refusal = std::string("is a tracker module, which the ") + build + " build does not play";
    why = refusal.c_str();
    return false;
}
