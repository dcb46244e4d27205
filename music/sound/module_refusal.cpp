#include "music/sound/module_refusal.h"

#include <string>

bool refuseModuleFile(const char* build, std::vector<float>& pcm, const char*& why)
{
    pcm.clear();
    // A program is one build with one name: its words are made once.
    static const std::string refusal = std::string("is a tracker module, which the ") + build + " build does not play";
    why = refusal.c_str();
    return false;
}
