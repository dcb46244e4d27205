#pragma once
#include <cstdint>

class SoundLayer;

// The show's music and this frame's spectrum, played through the sound
// layer it is given.
struct MusicTrack {
    SoundLayer& sound;
    bool isModule = false;
    uint32_t moduleHandle = 0;
    uint32_t streamHandle = 0;
    float spectrumBins[512] = {};

    // 0 when loaded (a stream when the upper-cased name contains "MP3",
    // else a tracker module), -1 when the file cannot be opened or decoded.
    int32_t load(const char* fileName);
    // Mutes when music is switched off, then starts playback.
    void start(bool musicEnabled);
    // Fills spectrumBins with the 512 magnitudes of what is playing now.
    void captureSpectrum();
    // The handle of whichever of the two was loaded.
    uint32_t activeHandle() const { return isModule ? moduleHandle : streamHandle; }

    explicit MusicTrack(SoundLayer& sound) : sound(sound) {}
    ~MusicTrack();  // stops and frees the sound output
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;
};
