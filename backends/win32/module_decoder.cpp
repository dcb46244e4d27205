#include "music/sound/module_refusal.h"
#include "music/sound/sound_backend.h"

// Windows has no tracker module player of its own, and the show needs none.
bool renderModuleFile(const unsigned char*, size_t, std::vector<float>& pcm, const char*& why, DecodeControl*)
{
    return refuseModuleFile("Windows", pcm, why);
}
