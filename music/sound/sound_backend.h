#pragma once
#include <cstdint>
#include <vector>

// What each platform gives the portable sound layer: its decoders and its
// output device. The portable part owns the channels and the clocks.

// Decode the whole file into interleaved stereo float at 44100 Hz. False,
// with pcm in any state and why set to a few words, when the file cannot be
// opened or nothing in it decodes. True with why "" for a sound file, or with
// the few words a listener should hear about one that plays anyway.
constexpr const char* shortMp3Notice = "is shorter than its header says";
bool decodeMp3File(const char* fileName, std::vector<float>& pcm, const char*& why);
bool renderModuleFile(const char* fileName, std::vector<float>& pcm, const char*& why);

// Called on the device's own thread: add output frames first .. first +
// count - 1 into out, which comes zeroed (interleaved stereo float).
using MixFunction = void (*)(float* out, uint32_t count, uint64_t first);

// The default device at 44100 Hz stereo, paused. False when there is none
// (or only a stand-in nobody asked for); the caller then plays silently.
bool openOutputDevice(MixFunction mix);
void runOutputDevice(bool run);
// Returns once the device's thread will not call mix again.
void closeOutputDevice();
// Between these the device's thread does not mix.
void lockOutputDevice();
void unlockOutputDevice();
// The next output frame the device will ask for.
uint64_t outputDeviceNextFrame();
// The device stopped taking sound (unplugged, its server gone) while running.
bool outputDeviceLost();
// The output frame being heard now: frames handed over minus what is still
// queued in front of the speaker, as far as the device lets us know.
uint64_t outputDeviceHeardFrame();
