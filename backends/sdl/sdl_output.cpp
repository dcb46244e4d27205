#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

using Clock = std::chrono::steady_clock;

SDL_AudioDeviceID device = 0;
MixFunction mixer = nullptr;
uint32_t blockFrames = 0;
std::atomic<bool> running{false};
std::atomic<uint64_t> mixedFrames{0};
std::atomic<int64_t> lastBlockAt{0};  // steady clock, nanoseconds

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// SDL hands back the sound layer's user pointer, as it was given at the open.
void fillBlock(void* user, Uint8* stream, int bytes)
{
    float* out = reinterpret_cast<float*>(stream);
    const uint32_t count = static_cast<uint32_t>(bytes) / (2 * sizeof(float));
    std::memset(stream, 0, static_cast<size_t>(bytes));
    const uint64_t first = mixedFrames.load(std::memory_order_relaxed);
    mixer(user, out, count, first);
    for (uint32_t i = 0; i < 2 * count; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    mixedFrames.store(first + count, std::memory_order_relaxed);
    lastBlockAt.store(nowNs(), std::memory_order_relaxed);
}

// SDL falls back to its "dummy" driver, which plays into nothing at a pace of
// its own, when no real one works; only take it when someone asked for it.
bool driverWanted(const char* driver)
{
    if (!driver)
        return false;
    if (std::strcmp(driver, "dummy") != 0)
        return true;
    const char* requested = std::getenv("SDL_AUDIODRIVER");
    return requested && std::strstr(requested, "dummy") != nullptr;
}

// ALSA's library writes its complaints about a machine without sound cards
// straight to stderr while SDL probes it. SDL's own result says all we need,
// so the probe runs with stderr pointed at /dev/null.
struct QuietStderr {
    int saved = -1;
    QuietStderr()
    {
        std::fflush(stderr);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0)
            return;
        saved = dup(STDERR_FILENO);
        if (saved >= 0)
            dup2(null, STDERR_FILENO);
        close(null);
    }
    ~QuietStderr()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
};

}  // namespace

bool openOutputDevice(MixFunction mix, void* user)
{
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (!driverWanted(SDL_GetCurrentAudioDriver())) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_AudioSpec wanted{};
    SDL_AudioSpec obtained{};
    wanted.freq = static_cast<int>(soundRate);
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = fillBlock;
    wanted.userdata = user;
    mixer = mix;
    mixedFrames = 0;
    running = false;
    // No changes allowed: SDL converts to whatever the hardware wants, so the
    // mixer always sees 44100 Hz stereo float.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    blockFrames = obtained.samples;
    return true;
}

void runOutputDevice(bool run)
{
    if (device == 0)
        return;
    if (run)
        lastBlockAt = nowNs();
    running = run;
    SDL_PauseAudioDevice(device, run ? 0 : 1);
}

void closeOutputDevice()
{
    if (device == 0)
        return;
    SDL_CloseAudioDevice(device);  // joins the device's thread
    device = 0;
    running = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void lockOutputDevice()
{
    if (device != 0)
        SDL_LockAudioDevice(device);
}

void unlockOutputDevice()
{
    if (device != 0)
        SDL_UnlockAudioDevice(device);
}

bool outputDeviceLost()
{
    if (device == 0 || !running.load(std::memory_order_relaxed))
        return false;
    // SDL marks a device it lost as stopped; a backend that blocks instead
    // stops asking for blocks. A sound server may take a second or more to
    // ask for the first one, so silence counts only once blocks have flowed.
    const int64_t quiet = nowNs() - lastBlockAt.load(std::memory_order_relaxed);
    const bool flowing = mixedFrames.load(std::memory_order_relaxed) > 0;
    return SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED || (flowing && quiet > 3000000000);
}

uint64_t outputDeviceNextFrame()
{
    return mixedFrames.load(std::memory_order_relaxed);
}

uint64_t outputDeviceHeardFrame()
{
    // SDL tells no latency. Its thread mixes a block and then waits while the
    // device takes it, so about two blocks lie between the mixer and the
    // speaker; between blocks the time since the last one fills in.
    const uint64_t mixed = mixedFrames.load(std::memory_order_relaxed);
    const uint64_t queued = 2 * static_cast<uint64_t>(blockFrames);
    uint64_t since = 0;
    if (running.load(std::memory_order_relaxed)) {
        const int64_t ns = nowNs() - lastBlockAt.load(std::memory_order_relaxed);
        if (ns > 0)
            since = std::min<uint64_t>(static_cast<uint64_t>(ns) * soundRate / 1000000000u, blockFrames);
    }
    return mixed + since > queued ? mixed + since - queued : 0;
}

// SDL asks for a block at a time: what it holds is heard within one.
void dropQueuedOutput() {}
