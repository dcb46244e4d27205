#include "music/sound/sound.h"

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
    const SoundBackend& backend;
    Output output = Output::None;
    bool running = false;
    bool explicitRequested = false;
    uint64_t explicitPosition = 0;
    // The silent output's position: silentBase plus the time run since silentSince.
    uint64_t silentBase = 0;
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

// The layer that main made, or null outside its lifetime: the calls mirror a
// C sound library's, so they reach one current layer rather than take it.
SoundState* current = nullptr;

SoundState& sound()
{
    return *current;
}

// A prefetch still decoding is told to stop, and ends within a block.
void endPrefetch(SoundState::Prefetch& p)
{
    p.control.stop = true;
    if (p.worker.joinable())
        p.worker.join();
    p.fileName.clear();
    p.pcm = std::vector<float>();
}

SoundChannel* findChannel(SoundHandle handle)
{
    if (handle == 0 || !current)
        return nullptr;
    for (auto& channel : sound().channels)
        if (channel->handle == handle)
            return channel.get();
    return nullptr;
}

void mixAll(float* out, uint32_t count, uint64_t first)
{
    for (auto& channel : sound().channels)
        mixChannel(*channel, first, out, count);
}

uint64_t silentPosition()
{
    SoundState& s = sound();
    if (!s.running)
        return s.silentBase;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - s.silentSince);
    return s.silentBase + static_cast<uint64_t>(elapsed.count()) * soundRate / 1000000u;
}

// A device that goes away mid-show (a headset unplugged, the sound server
// restarted) hands over to the silent output at the frame last heard, so the
// show keeps its clock and its spectrum. A device that comes back is not
// taken up again: the show stays silent.
void fallBackIfDeviceLost()
{
    SoundState& s = sound();
    if (s.output != Output::Device || !sound().backend.outputDeviceLost())
        return;
    const uint64_t heard = sound().backend.outputDeviceHeardFrame();
    sound().backend.closeOutputDevice();
    s.output = Output::Silent;
    s.silentBase = heard;
    s.silentSince = Clock::now();
    std::fprintf(stderr, "duskwheel: the sound device is gone: playing on silently\n");
}

// The output frame that is being heard now.
uint64_t heardFrame()
{
    fallBackIfDeviceLost();
    switch (sound().output) {
    case Output::Device:
        return sound().backend.outputDeviceHeardFrame();
    case Output::Silent:
        return silentPosition();
    default:
        return 0;
    }
}

// Channels are added and changed only while the device does not mix.
struct DeviceLock {
    bool held;
    DeviceLock() : held(sound().output == Output::Device) { if (held) sound().backend.lockOutputDevice(); }
    ~DeviceLock() { if (held) sound().backend.unlockOutputDevice(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
};

SoundHandle addChannel(std::vector<float>&& pcm)
{
    SoundState& s = sound();
    auto channel = std::make_unique<SoundChannel>();
    channel->handle = s.nextHandle++;
    if (s.nextHandle == 0)
        s.nextHandle = 1;
    channel->pcm = std::move(pcm);
    const SoundHandle handle = channel->handle;
    DeviceLock lock;
    s.channels.push_back(std::move(channel));
    return handle;
}

}  // namespace

bool soundInit()
{
    if (!current)
        return false;
    SoundState& s = sound();
    if (s.output != Output::None)
        return false;
    s.running = false;
    s.silentBase = 0;
    if (s.explicitRequested) {
        s.output = Output::Explicit;
    } else if (sound().backend.openOutputDevice(mixAll)) {
        s.output = Output::Device;
    } else {
        std::fprintf(stderr, "duskwheel: no audio device: playing silently\n");
        s.output = Output::Silent;
    }
    return true;
}

namespace {

using Decoder = bool (*)(const char*, std::vector<float>&, const char*&);

// The prefetched result for this file, handed over (take) or copied; a
// decode of its own when there is none.
bool prefetchedOrDecoded(const char* fileName, std::vector<float>& pcm, const char*& why, bool take)
{
    SoundState::Prefetch& p = sound().prefetch;
    if (p.fileName.empty() || p.fileName != fileName)
        return sound().backend.decodeMp3File(fileName, pcm, why, nullptr);
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

bool takeOrDecodeMp3(const char* fileName, std::vector<float>& pcm, const char*& why)
{
    return prefetchedOrDecoded(fileName, pcm, why, true);
}

SoundHandle loadChannel(Decoder decode, const char* fileName)
{
    SoundState& s = sound();
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
    if (!decode(fileName, pcm, why)) {
        s.lastFailure = why;
        return 0;
    }
    s.lastFailure = "";
    s.lastNotice = why;
    return addChannel(std::move(pcm));
}

}  // namespace

SoundHandle soundStreamFromFile(const char* fileName)
{
    return current ? loadChannel(takeOrDecodeMp3, fileName) : 0;
}

static bool renderModule(const char* fileName, std::vector<float>& pcm, const char*& why)
{
    return sound().backend.renderModuleFile(fileName, pcm, why, nullptr);
}

SoundHandle soundModuleFromFile(const char* fileName)
{
    return current ? loadChannel(renderModule, fileName) : 0;
}

const char* soundLastFailure()
{
    return current ? current->lastFailure : "the sound layer is not there";
}

const char* soundLastNotice()
{
    return current ? current->lastNotice : "";
}

bool soundDecodeStream(const char* fileName, std::vector<float>& pcm, const char*& why)
{
    if (!fileName || !current) {
        why = fileName ? "the sound layer is not there" : "no file name";
        return false;
    }
    return prefetchedOrDecoded(fileName, pcm, why, false);
}

void soundSetVolume(SoundHandle handle, float volume)
{
    SoundChannel* channel = findChannel(handle);
    if (!channel)
        return;
    DeviceLock lock;
    channel->volume = volume < 0.0f ? 0.0f : volume;
}

void soundStart()
{
    if (!current)
        return;
    SoundState& s = sound();
    if (s.output == Output::None || s.running)
        return;
    s.running = true;
    if (s.output == Output::Device)
        sound().backend.runOutputDevice(true);
    else if (s.output == Output::Silent)
        s.silentSince = Clock::now();
}

void soundPlay(SoundHandle handle)
{
    soundPlayFrom(handle, 0);
}

void soundPlayFrom(SoundHandle handle, uint64_t from)
{
    const SoundChannel* channel = findChannel(handle);
    if (channel && !channel->playing)
        soundSeek(handle, from);
}

void soundSeek(SoundHandle handle, uint64_t from)
{
    SoundChannel* channel = findChannel(handle);
    if (!channel)
        return;
    SoundState& s = sound();
    DeviceLock lock;
    if (s.output == Output::Device)
        channel->startFrame = sound().backend.outputDeviceNextFrame();
    else if (s.output == Output::Silent)
        channel->startFrame = silentPosition();
    channel->skipped = from;
    channel->playing = true;
}

int64_t soundPosition(SoundHandle handle)
{
    const SoundChannel* channel = findChannel(handle);
    if (!channel || !channel->playing)
        return -1;
    if (sound().output == Output::Explicit)
        return static_cast<int64_t>(sound().explicitPosition);
    return static_cast<int64_t>(heardFrame()) - static_cast<int64_t>(channel->startFrame) +
           static_cast<int64_t>(channel->skipped);
}

uint64_t soundLength(SoundHandle handle)
{
    const SoundChannel* channel = findChannel(handle);
    return channel ? channel->frameCount() : 0;
}

void soundSpectrum(SoundHandle handle, float bins[spectrumBinCount])
{
    const SoundChannel* channel = findChannel(handle);
    if (!channel)
        return;  // like any call on a handle that is not there
    // The decoded track is written only on the main thread, so reading it
    // here needs no lock.
    spectrumOfPcm(channel->pcm.data(), channel->frameCount(), soundPosition(handle), bins);
}

void soundSpectrumAt(SoundHandle handle, int64_t end, float* bins, int binCount)
{
    const SoundChannel* channel = findChannel(handle);
    if (!channel)
        return;
    spectrumOfPcm(channel->pcm.data(), channel->frameCount(), end, bins, binCount);
}

bool soundHeardFromDevice()
{
    if (!current)
        return false;
    fallBackIfDeviceLost();
    return sound().output == Output::Device;
}

void soundStop()
{
    if (!current)
        return;
    SoundState& s = sound();
    if (!s.running)
        return;
    if (s.output == Output::Device)
        sound().backend.runOutputDevice(false);
    else if (s.output == Output::Silent)
        s.silentBase = silentPosition();
    s.running = false;
}

void soundFree()
{
    if (!current)
        return;
    SoundState& s = sound();
    soundStop();
    // A decode nobody took (the launcher was left) stops rather than runs to its end.
    endPrefetch(s.prefetch);
    // The device's thread reads the tracks, so it goes first.
    if (s.output == Output::Device)
        sound().backend.closeOutputDevice();
    s.channels.clear();
    s.output = Output::None;
    s.silentBase = 0;
}

void soundUseExplicitPosition(bool on)
{
    if (current)
        current->explicitRequested = on;
}

void soundSetPosition(uint64_t sampleFrame)
{
    if (current)
        current->explicitPosition = sampleFrame;
}

void soundPrefetchStream(const char* fileName)
{
    if (!current)
        return;
    SoundState::Prefetch& p = sound().prefetch;
    if (!fileName || p.worker.joinable())
        return;
    p.fileName = fileName;
    p.decoded = false;
    p.control.stop = false;
    p.control.blocks = 0;
    const DecodeFunction decode = sound().backend.decodeMp3File;
    try {
        p.worker = std::thread([&p, decode] { p.decoded = decode(p.fileName.c_str(), p.pcm, p.why, &p.control); });
    } catch (const std::system_error&) {
        // No thread to spare: the stream is decoded when it is loaded.
        p.fileName.clear();
    }
}

SoundLayer::SoundLayer(const SoundBackend& backend) : state(new SoundState(backend)), previous(current)
{
    current = state;
}

SoundLayer::~SoundLayer()
{
    soundFree();
    current = previous;
    delete state;
}

uint32_t soundPrefetchBlocks()
{
    return current ? current->prefetch.control.blocks.load() : 0;
}
