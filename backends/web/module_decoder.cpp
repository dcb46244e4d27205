#include "music/sound/module_refusal.h"
#include "music/sound/sound_backend.h"

// Browsers have no tracker module player, and the show needs none.
bool renderModuleFile(const unsigned char*, size_t, std::vector<float>& pcm, const char*& why, DecodeControl*)
{
    return refuseModuleFile("web", pcm, why);
}
