#include "music/sound/sound_backend.h"

// Windows has no tracker module player of its own, and the show needs none.
bool renderModuleFile(const unsigned char*, size_t, std::vector<float>& pcm, const char*& why, DecodeControl*)
{
    pcm.clear();
    why = "is a tracker module, which the Windows build does not play";
    return false;
}
