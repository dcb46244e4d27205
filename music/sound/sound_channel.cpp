#include "music/sound/sound_channel.h"

void mixChannel(const SoundChannel& channel, uint64_t first, float* out, uint32_t count)
{
    if (!channel.playing || channel.volume == 0.0f)
        return;
    const uint64_t length = channel.frameCount();
    uint32_t i = 0;
    // Output frames before the channel's start stay as they are.
    if (first < channel.startFrame) {
        const uint64_t wait = channel.startFrame - first;
        if (wait >= count)
            return;
        i = static_cast<uint32_t>(wait);
    }
    const float* pcm = channel.pcm.data();
    for (; i < count; ++i) {
        const uint64_t frame = first + i - channel.startFrame + channel.skipped;
        if (frame >= length)
            break;
        out[2 * i] += pcm[2 * frame] * channel.volume;
        out[2 * i + 1] += pcm[2 * frame + 1] * channel.volume;
    }
}
