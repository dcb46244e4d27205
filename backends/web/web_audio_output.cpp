#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/web/audio.h"

namespace {

// The page's one output, as the other builds' device handles are theirs.
bool opened = false;
MixFunction mixer = nullptr;
void* mixerUser = nullptr;  // the sound layer's, handed back to every mix
uint64_t mixedFrames = 0;
std::vector<float> block;

}  // namespace

bool openOutputDevice(MixFunction mix, void* user)
{
    if (opened || !duskAudioOpen())
        return false;
    opened = true;
    mixer = mix;
    mixerUser = user;
    mixedFrames = 0;
    return true;
}

void runOutputDevice(bool run)
{
    if (opened)
        duskAudioRun(run ? 1 : 0);
}

void closeOutputDevice()
{
    if (!opened)
        return;
    duskAudioClose();
    opened = false;
    mixer = nullptr;
    mixerUser = nullptr;
}

// The mix runs on the main thread between two of its tasks, never while the
// sound layer is changing its channels: there is nothing to lock.
void lockOutputDevice() {}
void unlockOutputDevice() {}

uint64_t outputDeviceNextFrame()
{
    return mixedFrames;
}

bool outputDeviceLost()
{
    return opened && duskAudioLost() != 0;
}

uint64_t outputDeviceHeardFrame()
{
    return opened ? static_cast<uint64_t>(duskAudioHeardFrame()) : 0;
}

// The queue runs far ahead of the speaker: a seek drops it.
void dropQueuedOutput()
{
    if (opened)
        duskAudioDropQueued();
}

extern "C" EMSCRIPTEN_KEEPALIVE float* webSoundMixBlock(uint32_t count)
{
    block.assign(2 * static_cast<size_t>(count), 0.0f);
    if (mixer)
        mixer(mixerUser, block.data(), count, mixedFrames);
    for (float& sample : block)
        sample = std::clamp(sample, -1.0f, 1.0f);
    mixedFrames += count;
    return block.data();
}
