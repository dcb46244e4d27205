#pragma once
#include <cstdint>

struct BeatState;

// Mean of the first count values, summed in float in index order so that the
// thresholds below see the same value on every platform.
float averageFloats(const float* values, int32_t count);

// A frame whose lowest six bins are loud is a beat: it flips the spin, steps
// the palette on every second beat and advances the beat step.
void detectBeat(BeatState& beat);

// Hit recovery and the three section counters of the caption cards.
// seconds is this frame's elapsed time.
void updateShowCounters(BeatState& beat, int32_t t, float seconds);
