#pragma once
#include <cstdint>
#include <vector>

#include "music/sound/sound.h"

// One decoded track and where it stands.
struct SoundChannel {
    SoundHandle handle = 0;
    std::vector<float> pcm;   // interleaved stereo at soundRate
    float volume = 1.0f;
    bool playing = false;
    uint64_t startFrame = 0;  // the output frame that carries its first sample played
    uint64_t skipped = 0;     // frames of the track before that sample: where it started

    uint64_t frameCount() const { return pcm.size() / 2; }
};

// Adds the channel's share of output frames first .. first + count - 1 to
// out (interleaved stereo), at its volume.
void mixChannel(const SoundChannel& channel, uint64_t first, float* out, uint32_t count);
