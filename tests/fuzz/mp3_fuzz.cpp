// Any bytes as the MP3 file, handed to the decoder from memory: trimming,
// resampling, the cut-short notice and the reasons given.
#include <cstdint>
#include <cstring>
#include <vector>

#include "music/sound/sound_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<float> pcm;
    const char* why = nullptr;
    DecodeControl control;
    const bool ok = decodeMp3File(data, size, pcm, why, &control);
    // Interleaved stereo with nothing to say but a short file; a reason whenever it fails.
    if (ok && (pcm.size() < 2 || pcm.size() % 2 != 0 || !why || (*why && std::strcmp(why, shortMp3Notice) != 0)))
        __builtin_trap();
    if (!ok && (!why || !*why))
        __builtin_trap();
    return 0;
}
