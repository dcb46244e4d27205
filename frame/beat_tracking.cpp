#include "frame/beat_tracking.h"

#include <cmath>

#include "frame/beat_state.h"

namespace {

// Compared in double: 0.98 as a float lies above 0.98, and a ramp that lands
// exactly on it must still step its counter.
constexpr double beatThreshold = 0.22;
constexpr double hitThreshold = 0.12;
constexpr double onsetLevel = 0.01;
constexpr double rampTop = 0.98;
constexpr double greetsRate = 1.1;
constexpr double creditsRate = 0.6;
constexpr int32_t greetsLastStep = 15;
constexpr int32_t creditsEndStep = 4;

bool within(int32_t t, int32_t first, int32_t last)
{
    return t >= first && t <= last;
}

// Grows a ramp by one frame and saturates it at 1.
float grownRamp(float ramp, float seconds, double rate)
{
    const float step = static_cast<float>(seconds * rate);
    ramp += step;
    if (std::fabs(ramp) >= 1.0f)
        ramp = 1.0f;
    return ramp;
}

void stepBounceCounter(BeatState& beat, int32_t t)
{
    const bool onset = beat.hitHeld < onsetLevel;
    if (onset)
        beat.bounceCounter += beat.bounceDirection;
    beat.hitHeld = 1.0f;
    if (t >= 27000) {
        // The last part of the section only swings between rows 3 and 5.
        if (beat.bounceCounter >= 5) {
            beat.bounceCounter = 5;
            beat.bounceDirection = -1;
        } else if (beat.bounceCounter <= 3) {
            beat.bounceCounter = 3;
            beat.bounceDirection = 1;
        }
    } else {
        if (beat.bounceCounter == 7 && beat.bounceDirection > 0)
            beat.bounceDirection = -1;
        if (beat.bounceCounter == 0 && beat.bounceDirection < 0)
            beat.bounceDirection = 1;
    }
}

}  // namespace

float averageFloats(const float* values, int32_t count)
{
    float sum = 0.0f;
    for (int32_t k = 0; k < count; ++k)
        sum = sum + values[k];
    return sum / static_cast<float>(count);
}

void detectBeat(BeatState& beat)
{
    const float level = averageFloats(beat.spectrum, 6);
    if (!(level > beatThreshold))
        return;
    if (beat.spinDirection > 0.0f)
        beat.paletteIndex = (beat.paletteIndex + 1) % 5;
    beat.beatStep = (beat.beatStep + 1) % beatStepCount;
    beat.stepScale = static_cast<float>(stepScaleTable[beat.beatStep] * 0.4);
    beat.spinDirection = beat.spinDirection > 0.0f ? -1.0f : 1.0f;
}

void updateShowCounters(BeatState& beat, int32_t t, float seconds)
{
    if (!within(t, 0, 32000) && !within(t, 62000, 81000) && !within(t, 82000, 100000))
        return;

    if (averageFloats(beat.spectrum, 10) > hitThreshold)
        beat.sinceHit = 0.0f;

    const float low = averageFloats(beat.spectrum, 3);
    if (low > hitThreshold && within(t, 20000, 32000))
        stepBounceCounter(beat, t);
    else
        beat.hitHeld = 0.0f;

    if (within(t, 62000, 81000)) {
        if (beat.greetsRamp > rampTop) {
            beat.greetsRamp = 0.0f;
            if (beat.greetsStep < greetsLastStep)
                beat.greetsStep = beat.greetsStep + 1;
        }
        beat.greetsRamp = grownRamp(beat.greetsRamp, seconds, greetsRate);
    }

    if (t > 82000 && beat.creditsStep < creditsEndStep) {
        if (beat.creditsRamp > rampTop) {
            beat.creditsStep += 1;
            beat.creditsRamp = 0.0f;
        }
        beat.creditsRamp = grownRamp(beat.creditsRamp, seconds, creditsRate);
    }

    beat.sinceHit += seconds;
    if (std::fabs(beat.sinceHit) >= 1.0f)
        beat.sinceHit = 1.0f;
}
