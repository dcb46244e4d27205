// Any bytes as a tracker module, handed to the renderer from memory. A few
// bytes can play for minutes, so the rendering stops at a second.
#include <cstdint>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<float> pcm;
    const char* why = nullptr;
    DecodeControl control;
    control.frameLimit = soundRate;
    const bool ok = renderModuleFile(data, size, pcm, why, &control);
    // Interleaved stereo, the cap kept to within one block, and a reason whenever it fails.
    if (ok && (pcm.size() < 2 || pcm.size() % 2 != 0 || pcm.size() / 2 >= control.frameLimit + 4096 || !why))
        __builtin_trap();
    if (!ok && (!why || !*why))
        __builtin_trap();
    return 0;
}
