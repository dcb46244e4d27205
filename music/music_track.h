#pragma once
#include <cstdint>

// The show's music and this frame's spectrum. Loading and playback join with the sound layer.
struct MusicTrack {
    bool isModule = false;
    uint32_t moduleHandle = 0;
    uint32_t streamHandle = 0;
    float spectrumBins[512] = {};
};
