#include "music/sound/sound.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "music/sound/sound_backend.h"
#include "music/sound/sound_channel.h"
#include "music/sound/spectrum.h"

using Clock = std::chrono::steady_clock;

enum class Output { None, Device, Silent, Explicit };

struct SoundState {
    const SoundBackend backend;
    Output output = Output::None;
    bool running = false;
    bool explicitRequested = false;
    uint64_t explicitPosition = 0;
    // The silent output's position: silentBase plus the time run since silentSince.
    uint64_t silentBase = 0;
    // The furthest output frame the device has said is heard: a backend's
    // estimate between two of its blocks may dip back a little, the show's
    // clock and spectrum must not.
    uint64_t heardMost = 0;
    Clock::time_point silentSince;
    std::vector<std::unique_ptr<SoundChannel>> channels;
    SoundHandle nextHandle = 1;
    const char* lastFailure = "";
    const char* lastNotice = "";
    // An MP3 decoded ahead on a thread of its own (soundPrefetchStream);
    // fileName is empty once its result is taken.
    struct Prefetch {
        std::string fileName;
        std::thread worker;
        std::vector<float> pcm;
        bool decoded = false;
        const char* why = "";
        DecodeControl control;
    } prefetch;

    explicit SoundState(const SoundBackend& backend) : backend(backend) {}
};

namespace {

// The output device is one per process: held by one layer at a time, while
// any others play silently.
std::atomic<bool> deviceHeld{false};

// A prefetch still decoding is told to stop, and ends within a block.
void endPrefetch(SoundState::Prefetch& p)
{
    p.control.stop = true;
    if (p.worker.joinable())
        p.worker.join();
    p.fileName.clear();
    p.pcm = std::vector<float>();
}

SoundChannel* findChannel(const SoundState& s, SoundHandle handle)
{
    if (handle == 0)
        return nullptr;
    for (auto& channel : s.channels)
        if (channel->handle == handle)
            return channel.get();
    return nullptr;
}

// The device's callback, handed the layer's state as its user pointer.
void mixAll(void* user, float* out, uint32_t count, uint64_t first)
{
    for (auto& channel : static_cast<SoundState*>(user)->channels)
        mixChannel(*channel, first, out, count);
}

// The device is closed and back with the process, for the next layer that asks.
void closeDevice(SoundState& s)
{
    s.backend.closeOutputDevice();
    deviceHeld = false;
}

uint64_t silentPosition(const SoundState& s)
{
    if (!s.running)
        return s.silentBase;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - s.silentSince);
    return s.silentBase + static_cast<uint64_t>(elapsed.count()) * soundRate / 1000000u;
}

// A device that goes away mid-show (a headset unplugged, the sound server
// restarted) hands over to the silent output at the frame last heard, so the
// show keeps its clock and its spectrum. A device that comes back is not
// taken up again: the show stays silent.
void fallBackIfDeviceLost(SoundState& s)
{
    if (s.output != Output::Device || !s.backend.outputDeviceLost())
        return;
    const uint64_t heard = std::max(s.heardMost, s.backend.outputDeviceHeardFrame());
    closeDevice(s);
    s.output = Output::Silent;
    s.silentBase = heard;
    s.silentSince = Clock::now();
    std::fprintf(stderr, "duskwheel: the sound device is gone: playing on silently\n");
}

// The output frame that is being heard now.
uint64_t heardFrame(SoundState& s)
{
    fallBackIfDeviceLost(s);
    switch (s.output) {
    case Output::Device:
        s.heardMost = std::max(s.heardMost, s.backend.outputDeviceHeardFrame());
        return s.heardMost;
    case Output::Silent:
        return silentPosition(s);
    default:
        return 0;
    }
}

// Channels are added and changed only while the device does not mix.
struct DeviceLock {
    const SoundState& s;
    bool held;
    explicit DeviceLock(const SoundState& s) : s(s), held(s.output == Output::Device)
    {
        if (held)
            s.backend.lockOutputDevice();
    }
    ~DeviceLock() { if (held) s.backend.unlockOutputDevice(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
};

SoundHandle addChannel(SoundState& s, std::vector<float>&& pcm)
{
    auto channel = std::make_unique<SoundChannel>();
    channel->handle = s.nextHandle++;
    if (s.nextHandle == 0)
        s.nextHandle = 1;
    channel->pcm = std::move(pcm);
    const SoundHandle handle = channel->handle;
    DeviceLock lock(s);
    s.channels.push_back(std::move(channel));
    return handle;
}

}  // namespace

bool soundInit(SoundLayer& sound)
{
    SoundState& s = *sound.state;
    if (s.output != Output::None)
        return false;
    s.running = false;
    s.silentBase = 0;
    s.heardMost = 0;
    if (s.explicitRequested) {
        s.output = Output::Explicit;
        return true;
    }
    if (deviceHeld.exchange(true)) {
        std::fprintf(stderr, "duskwheel: the sound device is held by another sound layer: playing silently\n");
        s.output = Output::Silent;
        return false;
    }
    if (s.backend.openOutputDevice(mixAll, &s)) {
        s.output = Output::Device;
    } else {
        deviceHeld = false;
        std::fprintf(stderr, "duskwheel: no audio device: playing silently\n");
        s.output = Output::Silent;
    }
    return true;
}

namespace {

using Decoder = bool (*)(SoundState&, const char*, std::vector<float>&, const char*&);

// The prefetched result for this file, handed over (take) or copied; a
// decode of its own when there is none.
bool prefetchedOrDecoded(SoundState& s, const char* fileName, std::vector<float>& pcm, const char*& why, bool take)
{
    SoundState::Prefetch& p = s.prefetch;
    if (p.fileName.empty() || p.fileName != fileName)
        return decodeDataFile(s.backend.decodeMp3File, fileName, pcm, why);
    if (p.worker.joinable())
        p.worker.join();
    if (take) {
        pcm = std::move(p.pcm);
        p.fileName.clear();
    } else {
        pcm = p.pcm;
    }
    why = p.why;
    return p.decoded;
}

bool takeOrDecodeMp3(SoundState& s, const char* fileName, std::vector<float>& pcm, const char*& why)
{
    return prefetchedOrDecoded(s, fileName, pcm, why, true);
}

SoundHandle loadChannel(SoundState& s, Decoder decode, const char* fileName)
{
    std::vector<float> pcm;
    s.lastNotice = "";
    if (s.output == Output::None) {
        s.lastFailure = "the sound output is not initialised";
        return 0;
    }
    if (!fileName) {
        s.lastFailure = "no file name";
        return 0;
    }
    const char* why = "";
    if (!decode(s, fileName, pcm, why)) {
        s.lastFailure = why;
        return 0;
    }
    s.lastFailure = "";
    s.lastNotice = why;
    return addChannel(s, std::move(pcm));
}

}  // namespace

SoundHandle soundStreamFromFile(SoundLayer& sound, const char* fileName)
{
    return loadChannel(*sound.state, takeOrDecodeMp3, fileName);
}

void soundExtendStream(SoundLayer& sound, SoundHandle handle, const float* samples, size_t count)
{
    SoundChannel* channel = findChannel(*sound.state, handle);
    if (!channel || count == 0)
        return;
    DeviceLock lock(*sound.state);
    channel->pcm.insert(channel->pcm.end(), samples, samples + (count & ~size_t{1}));
}

static bool renderModule(SoundState& s, const char* fileName, std::vector<float>& pcm, const char*& why)
{
    return decodeDataFile(s.backend.renderModuleFile, fileName, pcm, why);
}

SoundHandle soundModuleFromFile(SoundLayer& sound, const char* fileName)
{
    return loadChannel(*sound.state, renderModule, fileName);
}

const char* soundLastFailure(const SoundLayer& sound)
{
    return sound.state->lastFailure;
}

const char* soundLastNotice(const SoundLayer& sound)
{
    return sound.state->lastNotice;
}

bool soundDecodeStream(SoundLayer& sound, const char* fileName, std::vector<float>& pcm, const char*& why)
{
    if (!fileName) {
        why = "no file name";
        return false;
    }
    return prefetchedOrDecoded(*sound.state, fileName, pcm, why, false);
}

void soundSetVolume(SoundLayer& sound, SoundHandle handle, float volume)
{
    SoundChannel* channel = findChannel(*sound.state, handle);
    if (!channel)
        return;
    DeviceLock lock(*sound.state);
    channel->volume = volume < 0.0f ? 0.0f : volume;
}

void soundStart(SoundLayer& sound)
{
    SoundState& s = *sound.state;
    if (s.output == Output::None || s.running)
        return;
    s.running = true;
    if (s.output == Output::Device)
        s.backend.runOutputDevice(true);
    else if (s.output == Output::Silent)
        s.silentSince = Clock::now();
}

void soundPlay(SoundLayer& sound, SoundHandle handle)
{
    soundPlayFrom(sound, handle, 0);
}

void soundPlayFrom(SoundLayer& sound, SoundHandle handle, uint64_t from)
{
    const SoundChannel* channel = findChannel(*sound.state, handle);
    if (channel && !channel->playing)
        soundSeek(sound, handle, from);
}

void soundSeek(SoundLayer& sound, SoundHandle handle, uint64_t from)
{
    SoundState& s = *sound.state;
    SoundChannel* channel = findChannel(s, handle);
    if (!channel)
        return;
    DeviceLock lock(s);
    if (s.output == Output::Device) {
        if (channel->playing && s.backend.dropQueuedOutput)
            s.backend.dropQueuedOutput();
        channel->startFrame = s.backend.outputDeviceNextFrame();
    } else if (s.output == Output::Silent) {
        channel->startFrame = silentPosition(s);
    }
    channel->skipped = from;
    channel->playing = true;
}

int64_t soundPosition(SoundLayer& sound, SoundHandle handle)
{
    SoundState& s = *sound.state;
    const SoundChannel* channel = findChannel(s, handle);
    if (!channel || !channel->playing)
        return -1;
    if (s.output == Output::Explicit)
        return static_cast<int64_t>(s.explicitPosition);
    return static_cast<int64_t>(heardFrame(s)) - static_cast<int64_t>(channel->startFrame) +
           static_cast<int64_t>(channel->skipped);
}

uint64_t soundLength(const SoundLayer& sound, SoundHandle handle)
{
    const SoundChannel* channel = findChannel(*sound.state, handle);
    return channel ? channel->frameCount() : 0;
}

void soundSpectrum(SoundLayer& sound, SoundHandle handle, float bins[spectrumBinCount])
{
    const SoundChannel* channel = findChannel(*sound.state, handle);
    if (!channel)
        return;  // like any call on a handle that is not there
    // The decoded track is written only on the main thread, so reading it
    // here needs no lock.
    spectrumOfPcm(channel->pcm.data(), channel->frameCount(), soundPosition(sound, handle), bins);
}

void soundSpectrumAt(const SoundLayer& sound, SoundHandle handle, int64_t end, float* bins, int binCount)
{
    const SoundChannel* channel = findChannel(*sound.state, handle);
    if (!channel)
        return;
    spectrumOfPcm(channel->pcm.data(), channel->frameCount(), end, bins, binCount);
}

bool soundHeardFromDevice(SoundLayer& sound)
{
    SoundState& s = *sound.state;
    fallBackIfDeviceLost(s);
    return s.output == Output::Device;
}

void soundStop(SoundLayer& sound)
{
    SoundState& s = *sound.state;
    if (!s.running)
        return;
    if (s.output == Output::Device)
        s.backend.runOutputDevice(false);
    else if (s.output == Output::Silent)
        s.silentBase = silentPosition(s);
    s.running = false;
}

void soundFree(SoundLayer& sound)
{
    SoundState& s = *sound.state;
    soundStop(sound);
    // A decode nobody took (the launcher was left) stops rather than runs to its end.
    endPrefetch(s.prefetch);
    // The device's thread reads the tracks, so it goes first.
    if (s.output == Output::Device)
        closeDevice(s);
    s.channels.clear();
    s.output = Output::None;
    s.silentBase = 0;
}

void soundUseExplicitPosition(SoundLayer& sound, bool on)
{
    sound.state->explicitRequested = on;
}

void soundSetPosition(SoundLayer& sound, uint64_t sampleFrame)
{
    sound.state->explicitPosition = sampleFrame;
}

void soundPrefetchStream(SoundLayer& sound, const char* fileName)
{
    SoundState::Prefetch& p = sound.state->prefetch;
    if (!fileName || p.worker.joinable())
        return;
    p.fileName = fileName;
    p.decoded = false;
    p.control.stop = false;
    p.control.blocks = 0;
    const DecodeFunction decode = sound.state->backend.decodeMp3File;
    try {
        p.worker = std::thread(
            [&p, decode] { p.decoded = decodeDataFile(decode, p.fileName.c_str(), p.pcm, p.why, &p.control); });
    } catch (const std::system_error&) {
        // No thread to spare: the stream is decoded when it is loaded.
        p.fileName.clear();
    }
}

SoundLayer::SoundLayer(const SoundBackend& backend) : state(std::make_unique<SoundState>(backend)) {}

SoundLayer::~SoundLayer()
{
    soundFree(*this);
}

uint32_t soundPrefetchBlocks(const SoundLayer& sound)
{
    return sound.state->prefetch.control.blocks.load();
}
