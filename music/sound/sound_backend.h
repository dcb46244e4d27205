#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// What each platform gives the portable sound layer: its decoders and its
// output device, as one table that main hands to the layer. The portable
// part owns the channels and the clocks.

// Shared with a decode on a thread of its own: stop ends it between two
// blocks, blocks counts the blocks decoded so far.
struct DecodeControl {
    std::atomic<bool> stop{false};
    std::atomic<uint32_t> blocks{0};
    // A module's rendering ends with the block that reaches this many
    // frames, as if the module did; 0 renders it whole. Fuzzing sets it: a
    // few bytes can play for minutes.
    uint64_t frameLimit = 0;
};
constexpr const char* decodeStoppedFailure = "was not decoded: the decode was stopped";

// Decode a whole file, its size bytes in memory, into interleaved stereo
// float at 44100 Hz. False, with pcm in any state and why set to a few
// words, when nothing in it decodes or control asked for a stop. True with
// why "" for a sound file, or with the few words a listener should hear
// about one that plays anyway.
constexpr const char* shortMp3Notice = "is shorter than its header says";
using DecodeFunction = bool (*)(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                                DecodeControl* control);

// The show file read whole through the data-folder reader, then decoded: why
// is "cannot be opened" when it cannot be read.
bool decodeDataFile(DecodeFunction decode, const char* fileName, std::vector<float>& pcm, const char*& why,
                    DecodeControl* control = nullptr);

// Called on the device's own thread with the user pointer the device was
// opened with: add output frames first .. first + count - 1 into out, which
// comes zeroed (interleaved stereo float).
using MixFunction = void (*)(void* user, float* out, uint32_t count, uint64_t first);

struct SoundBackend {
    DecodeFunction decodeMp3File = nullptr;
    DecodeFunction renderModuleFile = nullptr;
    // The default device at 44100 Hz stereo, paused. False when there is none
    // (or only a stand-in nobody asked for); the caller then plays silently.
    // The device hands user back to every mix.
    bool (*openOutputDevice)(MixFunction mix, void* user) = nullptr;
    void (*runOutputDevice)(bool run) = nullptr;
    // Returns once the device's thread will not call mix again.
    void (*closeOutputDevice)() = nullptr;
    // Between these the device's thread does not mix.
    void (*lockOutputDevice)() = nullptr;
    void (*unlockOutputDevice)() = nullptr;
    // The next output frame the device will ask for.
    uint64_t (*outputDeviceNextFrame)() = nullptr;
    // The device stopped taking sound (unplugged, its server gone) while running.
    bool (*outputDeviceLost)() = nullptr;
    // The output frame being heard now: frames handed over minus what is still
    // queued in front of the speaker, as far as the device lets us know.
    uint64_t (*outputDeviceHeardFrame)() = nullptr;
    // Drops what was handed over but not yet heard, so that a seek is heard
    // at once; a device whose queue is short may keep it.
    void (*dropQueuedOutput)() = nullptr;
};

// Each backend defines these, under the table's names: its decoders,
bool decodeMp3File(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                   DecodeControl* control = nullptr);
bool renderModuleFile(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                      DecodeControl* control = nullptr);
// and its output device.
bool openOutputDevice(MixFunction mix, void* user);
void runOutputDevice(bool run);
void closeOutputDevice();
void lockOutputDevice();
void unlockOutputDevice();
uint64_t outputDeviceNextFrame();
bool outputDeviceLost();
uint64_t outputDeviceHeardFrame();
void dropQueuedOutput();

// The table, one shape for every backend, filled from the functions above
// where main asks for it: the portable core never does, so it needs none.
inline SoundBackend platformSoundBackend()
{
    return {decodeMp3File,      renderModuleFile,   openOutputDevice,      runOutputDevice,  closeOutputDevice,
            lockOutputDevice,   unlockOutputDevice, outputDeviceNextFrame, outputDeviceLost, outputDeviceHeardFrame,
            dropQueuedOutput};
}

// The decoders from a show file, for the tools and tests that decode one directly.
inline bool decodeMp3File(const char* fileName, std::vector<float>& pcm, const char*& why,
                          DecodeControl* control = nullptr)
{
    return decodeDataFile(decodeMp3File, fileName, pcm, why, control);
}
inline bool renderModuleFile(const char* fileName, std::vector<float>& pcm, const char*& why,
                             DecodeControl* control = nullptr)
{
    return decodeDataFile(renderModuleFile, fileName, pcm, why, control);
}
