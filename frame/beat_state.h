#pragma once
#include <cstdint>

#include "music/show_ticks.h"

// The beat-driven animation values that the composer and the beat tracker
// write and the camera, the bands and the scenes read. One instance lives for
// the whole run; it is built up tick by tick from the start of the show.
struct BeatState {
    float spectrum[tickSpectrumBins] = {};  // this tick's lowest magnitudes, lowest frequency first
    float orbitPhase = 0.0f;          // elapsed seconds / 4
    float sinceHit = 1.0f;            // seconds since the last bass hit, at most 1
    float spinDirection = 1.0f;       // +1 or -1, flips on every beat
    int32_t paletteIndex = 0;         // row of bandPalettes
    int32_t beatStep = 0;             // 0..8, index into the two step tables
    float stepScale = 0.4f;           // set on every beat; the dot grid shrinks it
    int32_t bounceCounter = -2;       // text card row, stepped on onsets
    int32_t bounceDirection = 1;
    float hitHeld = 0.0f;             // 1 while the lowest bins stay loud
    float greetsRamp = 0.0f;
    int32_t greetsStep = -1;          // greetings card row, at most 15
    float creditsRamp = 0.0f;
    int32_t creditsStep = 0;          // credits card row; 4 ends the cards
};

constexpr int beatStepCount = 9;
extern const float stepDepthTable[beatStepCount];
extern const float stepScaleTable[beatStepCount];

// Depth of the screen-fixed scenes for the current beat step.
inline float currentStepDepth(int32_t beatStep)
{
    return stepDepthTable[beatStep];
}
