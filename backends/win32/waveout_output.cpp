// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

// Four blocks of about 46 ms: enough that a busy frame on the main thread
// or wine's own scheduling does not run the queue dry, and a volume change
// is heard within a fifth of a second.
constexpr int blockCount = 4;
constexpr uint32_t blockFrames = 2048;

struct Device {
    HWAVEOUT wave = nullptr;
    HANDLE blockDone = nullptr;  // set by the driver each time it is finished with a block
    WAVEHDR headers[blockCount]{};
    std::vector<int16_t> blocks[blockCount];
    MixFunction mixer = nullptr;
    void* user = nullptr;  // the sound layer's, handed back to every mix
    std::mutex mixing;
    std::thread refill;
    std::atomic<bool> quit{false};
    std::atomic<bool> running{false};
    std::atomic<uint64_t> mixedFrames{0};
    std::atomic<bool> broken{false};  // the device refused a block
    // Read on the main thread only: the driver's 32-bit position carried
    // into 64 bits, in the unit the driver reports.
    uint32_t lastPosition = 0;
    uint64_t position = 0;
    unsigned unitsPerFrame = 1;
};

// Made on open and deleted on close; a device left open at exit is left to
// the system rather than ending the program on a joinable thread.
Device* device = nullptr;

void mixBlock(Device& d, std::vector<float>& mixed, std::vector<int16_t>& out)
{
    std::fill(mixed.begin(), mixed.end(), 0.0f);
    {
        std::lock_guard<std::mutex> lock(d.mixing);
        const uint64_t first = d.mixedFrames.load(std::memory_order_relaxed);
        d.mixer(d.user, mixed.data(), blockFrames, first);
        d.mixedFrames.store(first + blockFrames, std::memory_order_relaxed);
    }
    for (size_t i = 0; i < mixed.size(); ++i)
        out[i] = static_cast<int16_t>(std::lrint(std::clamp(mixed[i] * 32768.0f, -32768.0f, 32767.0f)));
}

// The blocks go to the driver in turn and come back in the same order, so
// the next one to fill is always the one after the last written. Nothing is
// mixed while paused: the track then starts in the first block after
// soundStart, as on Linux.
void refillBlocks(Device* d)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    std::vector<float> mixed(2 * blockFrames);
    int next = 0;
    while (!d->quit.load()) {
        while (!d->broken.load() && d->running.load() && !d->quit.load() && !(d->headers[next].dwFlags & WHDR_INQUEUE)) {
            mixBlock(*d, mixed, d->blocks[next]);
            // A device that refuses a block (unplugged) gets no more; the
            // show then plays on silently from the frame last heard.
            d->broken = waveOutWrite(d->wave, &d->headers[next], sizeof(WAVEHDR)) != MMSYSERR_NOERROR;
            next = (next + 1) % blockCount;
        }
        WaitForSingleObject(d->blockDone, 100);
    }
}

void releaseDevice(Device* d)
{
    if (d->wave) {
        waveOutReset(d->wave);  // hands every queued block back
        for (WAVEHDR& header : d->headers)
            if (header.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(d->wave, &header, sizeof header);
        waveOutClose(d->wave);
    }
    if (d->blockDone)
        CloseHandle(d->blockDone);
    delete d;
}

}  // namespace

bool openOutputDevice(MixFunction mix, void* user)
{
    if (device)
        return false;
    Device* d = new Device;
    d->mixer = mix;
    d->user = user;
    d->blockDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = soundRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = soundRate * 4;
    // An event rather than a callback function: the driver's callback may
    // not call waveOut itself, and the refill thread has to.
    if (!d->blockDone || waveOutOpen(&d->wave, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(d->blockDone), 0,
                                     CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        d->wave = nullptr;
        releaseDevice(d);
        return false;
    }
    // Paused from the start: blocks written now wait for waveOutRestart.
    waveOutPause(d->wave);
    for (int i = 0; i < blockCount; ++i) {
        d->blocks[i].resize(2 * blockFrames);
        WAVEHDR& header = d->headers[i];
        header.lpData = reinterpret_cast<LPSTR>(d->blocks[i].data());
        header.dwBufferLength = 4 * blockFrames;
        if (waveOutPrepareHeader(d->wave, &header, sizeof header) != MMSYSERR_NOERROR) {
            releaseDevice(d);
            return false;
        }
    }
    try {
        d->refill = std::thread(refillBlocks, d);
    } catch (const std::system_error&) {
        releaseDevice(d);
        return false;
    }
    device = d;
    return true;
}

void runOutputDevice(bool run)
{
    if (!device)
        return;
    // Pausing the driver holds its position where the sound stops; the
    // blocks still queued play on after the restart.
    device->running = run;
    if (run) {
        waveOutRestart(device->wave);
        SetEvent(device->blockDone);
    } else {
        waveOutPause(device->wave);
    }
}

void closeOutputDevice()
{
    if (!device)
        return;
    Device* d = device;
    device = nullptr;
    d->quit = true;
    SetEvent(d->blockDone);
    d->refill.join();
    releaseDevice(d);
}

void lockOutputDevice()
{
    if (device)
        device->mixing.lock();
}

void unlockOutputDevice()
{
    if (device)
        device->mixing.unlock();
}

bool outputDeviceLost()
{
    return device && device->broken.load();
}

uint64_t outputDeviceNextFrame()
{
    return device ? device->mixedFrames.load(std::memory_order_relaxed) : 0;
}

uint64_t outputDeviceHeardFrame()
{
    if (!device)
        return 0;
    Device& d = *device;
    MMTIME time{};
    time.wType = TIME_SAMPLES;
    uint32_t now = d.lastPosition;
    if (waveOutGetPosition(d.wave, &time, sizeof time) == MMSYSERR_NOERROR) {
        if (time.wType == TIME_SAMPLES) {
            now = time.u.sample;
            d.unitsPerFrame = 1;
        } else if (time.wType == TIME_BYTES) {
            now = time.u.cb;
            d.unitsPerFrame = 4;
        }
    }
    // The counter wraps after 2^32 units (under seven hours in bytes). A
    // step back is a driver's jitter, never a wrap, and is not followed.
    const int32_t step = static_cast<int32_t>(now - d.lastPosition);
    if (step > 0) {
        d.position += static_cast<uint32_t>(step);
        d.lastPosition = now;
    }
    // The driver counts what it has played of what it was given, so it can
    // never be past the mixer; one that says so is held back.
    return std::min(d.position / d.unitsPerFrame, d.mixedFrames.load(std::memory_order_relaxed));
}

// waveOut holds a few short blocks: heard within them.
void dropQueuedOutput() {}
