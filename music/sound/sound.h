#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The show's sound layer: one output at 44100 Hz stereo and any number of
// channels, each a track decoded into memory at load time (or, in the
// browser, its start, the rest appended as it arrives).
//
// Every call comes from the main thread and names the layer it works on.
// Handles are never 0; a call on handle 0 or on a handle that is gone does
// nothing. Stop and free are safe before initialisation and after a failed
// one.

using SoundHandle = uint32_t;
struct SoundBackend;
struct SoundState;

// The sound layer's state for as long as it lives: main makes one with its
// backend's decoders and output and hands it to whoever plays sound. Two
// layers share nothing but the output device, which one at a time may hold.
// Its end stops a decode still running ahead and frees the output.
class SoundLayer {
public:
    explicit SoundLayer(const SoundBackend& backend);
    ~SoundLayer();
    SoundLayer(const SoundLayer&) = delete;
    SoundLayer& operator=(const SoundLayer&) = delete;

    // The channels, the output and the prefetch, known to sound.cpp alone.
    const std::unique_ptr<SoundState> state;
};

constexpr uint32_t soundRate = 44100;
constexpr int spectrumWindow = 1024;               // samples per capture
constexpr int spectrumBinCount = spectrumWindow / 2;

// Opens the default output. When no device can be opened a silent output
// takes its place (one line on stderr) whose position follows the monotonic
// clock, so this succeeds either way; it fails only when called twice
// without soundFree in between, or when another layer holds the device: the
// device is one per process, so this layer then plays silently all the same,
// after one line on stderr saying so.
bool soundInit(SoundLayer& sound);

// An MP3 file decoded whole, encoder delay and padding trimmed; 0 when it
// cannot be opened or decoded.
SoundHandle soundStreamFromFile(SoundLayer& sound, const char* fileName);
// Starts decoding an MP3 on a thread of its own, so that a later
// soundStreamFromFile of the same name (before or after soundInit) finds it
// decoded; the show decodes its music while the launcher is open.
void soundPrefetchStream(SoundLayer& sound, const char* fileName);
// The whole track soundStreamFromFile would load, interleaved stereo at
// 44100 Hz, for a program that writes the music out itself. A prefetch of the
// same name is waited for and copied, and stays for the load. False with why
// set as soundLastFailure would give it; true with why as soundLastNotice.
bool soundDecodeStream(SoundLayer& sound, const char* fileName, std::vector<float>& pcm, const char*& why);
// Appends count interleaved samples to the track of a channel loaded by its
// start alone (the browser decodes the rest while the start plays). Frames
// past what a channel holds play as silence until they arrive.
void soundExtendStream(SoundLayer& sound, SoundHandle channel, const float* samples, size_t count);
// A tracker module (MOD, XM, S3M, IT ...) rendered once, no loop; 0 on failure.
SoundHandle soundModuleFromFile(SoundLayer& sound, const char* fileName);

// Why the last stream or module load failed, in a few words ("cannot be
// opened", "is not an MP3 that decodes" ...).
const char* soundLastFailure(const SoundLayer& sound);
// What the last successful load has to say about a file that plays anyway
// ("is shorter than its header says"), or "".
const char* soundLastNotice(const SoundLayer& sound);

// 0 silences the channel without stopping it; the spectrum does not change.
void soundSetVolume(SoundLayer& sound, SoundHandle channel, float volume);
// Runs the output (again, after soundStop).
void soundStart(SoundLayer& sound);
// Plays the channel once from its beginning; a channel that is playing
// already carries on.
void soundPlay(SoundLayer& sound, SoundHandle channel);
// The same from sample frame from of the track on: a show started part way.
void soundPlayFrom(SoundLayer& sound, SoundHandle channel, uint64_t from);
// Plays the channel from sample frame from of the track on, whether it was
// playing or not: a player's seek.
void soundSeek(SoundLayer& sound, SoundHandle channel, uint64_t from);
// The 512 magnitudes of the 1024 samples that are being heard now, before
// the channel's volume. Zeros before the channel plays and after its end.
void soundSpectrum(SoundLayer& sound, SoundHandle channel, float bins[spectrumBinCount]);
// The same magnitudes for the 1024 samples that end at sample frame end of
// the channel's track, wherever it plays; only the first binCount are written.
void soundSpectrumAt(const SoundLayer& sound, SoundHandle channel, int64_t end, float* bins,
                     int binCount = spectrumBinCount);
// True while a real output device plays: its position is what is heard. False
// for the silent stand-in and for offline rendering.
bool soundHeardFromDevice(SoundLayer& sound);
// Pauses the output; the play position holds.
void soundStop(SoundLayer& sound);
// Closes the output and releases every channel.
void soundFree(SoundLayer& sound);

// Offline rendering: while on, soundInit opens no device and the play
// position is whatever soundSetPosition last said. Set before soundInit.
void soundUseExplicitPosition(SoundLayer& sound, bool on);
// The play position of every playing channel, in sample frames at 44100 Hz
// counted from the channel's first sample.
void soundSetPosition(SoundLayer& sound, uint64_t sampleFrame);

// How many blocks the prefetch's decode has decoded so far.
uint32_t soundPrefetchBlocks(const SoundLayer& sound);

// Length of the channel's track in sample frames; 0 for no channel.
uint64_t soundLength(const SoundLayer& sound, SoundHandle channel);
// Where the channel is heard now, in sample frames from its first sample;
// negative before it plays.
int64_t soundPosition(SoundLayer& sound, SoundHandle channel);
