#include <cstdio>

#include "assets/data_file.h"
#include "music/sound/sound_backend.h"

// Browsers have no tracker module player, and the show needs none.
bool renderModuleFile(const char* fileName, std::vector<float>& pcm, const char*& why, DecodeControl*)
{
    pcm.clear();
    std::FILE* file = openDataFile(fileName);
    if (!file) {
        why = "cannot be opened";
        return false;
    }
    std::fclose(file);
    why = "is a tracker module, which the web build does not play";
    return false;
}
