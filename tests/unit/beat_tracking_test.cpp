#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "frame/beat_state.h"
#include "frame/beat_tracking.h"

namespace {

// A spectrum whose lowest bins all hold one level, the rest silent.
struct Spectrum {
    float* bins;  // the beat state's own
    void lowBins(int count, float level) { std::fill(bins, bins + count, level); }
    void silence() { std::fill(bins, bins + tickSpectrumBins, 0.0f); }
    // Everything in bin 0: the loudest bin whose float mean over count is
    // not above limit (a mean of exactly limit may not exist as a float).
    float loudestNotAbove(int count, double limit)
    {
        silence();
        const float n = static_cast<float>(count);
        float first = static_cast<float>(limit * count);
        while (first / n > limit)
            first = std::nextafter(first, 0.0f);
        while (std::nextafter(first, 2.0f) / n <= limit)
            first = std::nextafter(first, 2.0f);
        bins[0] = first;
        return first;
    }
    void nextLouder() { bins[0] = std::nextafter(bins[0], 2.0f); }
};

struct BeatTest : ::testing::Test {
    BeatState beat;
    Spectrum spectrum{beat.spectrum};
    // One frame of the counters every ms milliseconds from first to last inclusive.
    void run(int32_t first, int32_t last, int32_t ms)
    {
        for (int32_t t = first; t <= last; t += ms)
            updateShowCounters(beat, t, ms / 1000.0f);
    }
};

}  // namespace

TEST(AverageFloats, SumsInFloatInIndexOrder)
{
    // In index order the 1 is lost against 1e8 and the last 1 survives; any
    // other order or a double sum gives 0 or 0.5.
    const float values[4] = {1e8f, 1.0f, -1e8f, 1.0f};
    EXPECT_EQ(averageFloats(values, 4), 0.25f);
    const float one[1] = {0.3f};
    EXPECT_EQ(averageFloats(one, 1), 0.3f);
}

TEST_F(BeatTest, TheThresholdItselfIsNoBeatAndTheNextLouderMeanIs)
{
    spectrum.loudestNotAbove(6, 0.22);
    detectBeat(beat);
    EXPECT_EQ(beat.beatStep, 0);
    EXPECT_EQ(beat.spinDirection, 1.0f);
    EXPECT_EQ(beat.stepScale, 0.4f);

    spectrum.nextLouder();
    detectBeat(beat);
    EXPECT_EQ(beat.beatStep, 1);
}

TEST_F(BeatTest, TwoLoudFramesInARow)
{
    spectrum.lowBins(6, 0.5f);
    detectBeat(beat);
    EXPECT_EQ(beat.paletteIndex, 1);
    EXPECT_EQ(beat.spinDirection, -1.0f);
    EXPECT_EQ(beat.beatStep, 1);
    EXPECT_FLOAT_EQ(beat.stepScale, 0.8f * 0.4f);
    detectBeat(beat);
    EXPECT_EQ(beat.paletteIndex, 1);  // only a beat that finds the spin positive steps it
    EXPECT_EQ(beat.spinDirection, 1.0f);
    EXPECT_EQ(beat.beatStep, 2);
}

TEST_F(BeatTest, StepWrapsAfterEightAndPaletteAfterFour)
{
    spectrum.lowBins(6, 0.5f);
    beat.beatStep = 8;
    beat.paletteIndex = 4;
    detectBeat(beat);
    EXPECT_EQ(beat.beatStep, 0);
    EXPECT_FLOAT_EQ(beat.stepScale, 0.28f);
    EXPECT_EQ(beat.paletteIndex, 0);
}

TEST_F(BeatTest, BounceCounterStepsOnOnsetsOnly)
{
    spectrum.lowBins(3, 0.5f);
    updateShowCounters(beat, 19999, 0.016f);  // before the section: no step
    EXPECT_EQ(beat.bounceCounter, -2);
    EXPECT_EQ(beat.hitHeld, 0.0f);
    updateShowCounters(beat, 20000, 0.016f);
    EXPECT_EQ(beat.bounceCounter, -1);
    run(20016, 21000, 16);  // held loud: no further onset
    EXPECT_EQ(beat.bounceCounter, -1);
    spectrum.silence();
    updateShowCounters(beat, 21016, 0.016f);
    EXPECT_EQ(beat.hitHeld, 0.0f);
    spectrum.lowBins(3, 0.5f);
    updateShowCounters(beat, 21032, 0.016f);
    EXPECT_EQ(beat.bounceCounter, 0);
}

TEST_F(BeatTest, BounceCounterTurnsAtSevenAndZeroThenSwingsBetweenThreeAndFive)
{
    std::vector<int32_t> seen;
    int32_t t = 20000;
    auto onset = [&] {
        spectrum.silence();
        updateShowCounters(beat, t, 0.016f);
        spectrum.lowBins(3, 0.5f);
        updateShowCounters(beat, t + 16, 0.016f);
        t += 32;
        seen.push_back(beat.bounceCounter);
    };
    for (int i = 0; i < 18; ++i)
        onset();
    const std::vector<int32_t> early = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2};
    EXPECT_EQ(seen, early);

    // A loud frame in the last part clamps at once, onset or not.
    beat.bounceCounter = 7;
    beat.bounceDirection = 1;
    beat.hitHeld = 1.0f;
    updateShowCounters(beat, 27000, 0.016f);
    EXPECT_EQ(beat.bounceCounter, 5);
    EXPECT_EQ(beat.bounceDirection, -1);
    seen.clear();
    t = 27016;
    for (int i = 0; i < 5; ++i)
        onset();
    EXPECT_EQ(seen, (std::vector<int32_t>{4, 3, 4, 5, 4}));
}

TEST_F(BeatTest, HitRestartsRecoveryWhichSaturatesAndFreezesBetweenWindows)
{
    spectrum.lowBins(10, 0.2f);
    updateShowCounters(beat, 31990, 0.01f);
    EXPECT_FLOAT_EQ(beat.sinceHit, 0.01f);  // reset to 0, then this frame's seconds
    spectrum.silence();
    updateShowCounters(beat, 32000, 0.25f);
    EXPECT_FLOAT_EQ(beat.sinceHit, 0.26f);
    run(32001, 61999, 500);  // outside every window nothing moves
    EXPECT_FLOAT_EQ(beat.sinceHit, 0.26f);
    updateShowCounters(beat, 81500, 0.5f);
    EXPECT_FLOAT_EQ(beat.sinceHit, 0.26f);
    updateShowCounters(beat, 62000, 2.0f);
    EXPECT_EQ(beat.sinceHit, 1.0f);

    // The threshold itself is no hit; the next louder mean is.
    beat.sinceHit = 1.0f;
    spectrum.loudestNotAbove(10, 0.12);
    updateShowCounters(beat, 100, 0.0f);
    EXPECT_EQ(beat.sinceHit, 1.0f);
    spectrum.nextLouder();
    updateShowCounters(beat, 100, 0.0f);
    EXPECT_EQ(beat.sinceHit, 0.0f);
}

TEST_F(BeatTest, GreetingsRampStepsAFrameAfterItPassesTheTopAndStopsAtFifteen)
{
    updateShowCounters(beat, 61999, 0.5f);
    EXPECT_EQ(beat.greetsRamp, 0.0f);
    updateShowCounters(beat, 62000, 0.5f);
    EXPECT_FLOAT_EQ(beat.greetsRamp, 0.55f);
    EXPECT_EQ(beat.greetsStep, -1);
    updateShowCounters(beat, 62500, 0.5f);
    EXPECT_EQ(beat.greetsRamp, 1.0f);  // saturated
    EXPECT_EQ(beat.greetsStep, -1);
    updateShowCounters(beat, 63000, 0.1f);
    EXPECT_EQ(beat.greetsStep, 0);
    EXPECT_FLOAT_EQ(beat.greetsRamp, 0.11f);

    beat.greetsRamp = 0.98f;  // as a float this lies just above 0.98
    updateShowCounters(beat, 63100, 0.0f);
    EXPECT_EQ(beat.greetsStep, 1);

    run(63200, 81000, 100);
    EXPECT_EQ(beat.greetsStep, 15);
    const float ramp = beat.greetsRamp;
    updateShowCounters(beat, 81001, 0.1f);
    EXPECT_EQ(beat.greetsRamp, ramp);
}

TEST_F(BeatTest, CreditsStartAfter82000AndStopAtFour)
{
    updateShowCounters(beat, 82000, 0.5f);
    EXPECT_EQ(beat.creditsRamp, 0.0f);
    EXPECT_EQ(beat.sinceHit, 1.0f);
    updateShowCounters(beat, 82001, 0.5f);
    EXPECT_FLOAT_EQ(beat.creditsRamp, 0.3f);
    run(82017, 92000, 16);
    EXPECT_EQ(beat.creditsStep, 4);
    const float ramp = beat.creditsRamp;
    updateShowCounters(beat, 92016, 0.5f);
    EXPECT_EQ(beat.creditsRamp, ramp);
    EXPECT_EQ(beat.creditsStep, 4);
}
