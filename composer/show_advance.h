#pragma once
#include <cstdint>

#include "composer/show_state.h"

// The show's state advanced without drawing. Portable and GL-free, so the
// same ticks give the same state on every platform, at any display rate.

// One tick at show time t with its frameDelta, reading the spectrum's lowest
// tickSpectrumBins values heard at t. The order is the frame composer's: the
// orbit, the camera (with the previous tick's hit), beat detection, the
// counters, then each scene's own state inside its window, then the fades.
void advanceShowTick(ShowState& show, int32_t t, float frameDelta, const float* bins);

// The show as drawn at showTime, from the state its last tick left: what
// moves continuously (orbit and roll, the camera's recovery, rotations,
// scrolls, ramping levels, the fades) carried over the time since that tick,
// so frames between two ticks are not frozen. Nothing discrete changes:
// palette, beat step, spin, counters and the camera's hit stay the tick's.
ShowState showBetweenTicks(const ShowState& last, int32_t showTime);
