#pragma once
#include <cstdint>

// One timed fade of the final pass: colour and alpha from start to end (ms).
struct FadeEntry {
    float start;
    float end;
    float fromRed, fromGreen, fromBlue;
    float toRed, toGreen, toBlue;
    float fromAlpha;
    float toAlpha;
};

constexpr int fadeCount = 2;
extern const FadeEntry fadeTable[fadeCount];

// What the final pass draws this frame: for each entry, whether it draws
// and at which t (0 at start, 1 at end). Marks entries done as it passes them:
// done[i] is 1 once entry i has drawn its last quad; it is never drawn again.
struct FadeStep {
    bool draws = false;
    float t = 0.0f;
};
void planScreenFades(uint32_t showTime, int32_t done[fadeCount], FadeStep steps[fadeCount]);

// The final pass over the finished picture, as planned: fade in from black
// over the first two seconds, out to black over the last two.
void drawPlannedFades(const FadeStep steps[fadeCount]);

// Both fades pending again; start-up calls it just before the music starts.
void resetScreenFades(int32_t done[fadeCount]);
