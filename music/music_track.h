#pragma once
#include <cstdint>
#include <vector>

#include "music/show_ticks.h"

class SoundLayer;

// The show's music and this frame's spectrum, played through the sound
// layer it is given.
struct MusicTrack {
    SoundLayer& sound;
    bool isModule = false;
    uint32_t moduleHandle = 0;
    uint32_t streamHandle = 0;
    float spectrumBins[512] = {};
    bool enabled = true;  // switched off plays at volume 0

    // 0 when loaded (a stream when the upper-cased name contains "MP3",
    // else a tracker module), -1 when the file cannot be opened or decoded.
    int32_t load(const char* fileName);
    // Mutes when music is switched off, then starts playback fromMs into the track.
    void start(bool musicEnabled, int32_t fromMs = 0);
    // Plays on from fromMs into the track, wherever it was.
    void playFrom(int32_t fromMs);
    // Fills spectrumBins with the 512 magnitudes of what is playing now.
    void captureSpectrum();
    // The lowest tickSpectrumBins magnitudes for a tick of the show. heard:
    // a live frame at show time showNow, which takes what the output plays
    // now less the show time since the tick, so the picture follows what is
    // heard; otherwise (no device, music off, offline, reaching a time) the
    // track at the tick's own time, kept in a table as the ticks run.
    void tickSpectrum(int64_t tick, int32_t showNow, bool heard, float* bins);
    // The handle of whichever of the two was loaded.
    uint32_t activeHandle() const { return isModule ? moduleHandle : streamHandle; }

    // A tick's spectrum once worked out; not kept past what has been decoded.
    struct TickSpectrum {
        float bins[tickSpectrumBins];
        bool set;
    };
    std::vector<TickSpectrum> tickTable;

    explicit MusicTrack(SoundLayer& sound) : sound(sound) {}
    ~MusicTrack();  // stops and frees the sound output
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;
};
