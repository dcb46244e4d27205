// The show's state advanced tick by tick without GL: the composer's rates,
// the order of its steps, and what a frame between two ticks carries over.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "composer/show_advance.h"
#include "music/show_ticks.h"

namespace {

struct Bins {
    float values[tickSpectrumBins] = {};
    void low(int count, float level) { std::fill(values, values + count, level); }
};

void expectCamera(const Camera& got, float phase, float sinceHit)
{
    const Camera want = cameraFor(phase, phase * 15.0f, sinceHit);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(got.eye[i], want.eye[i]) << "eye " << i;
    EXPECT_FLOAT_EQ(got.roll, want.roll);
}

}  // namespace

TEST(ShowTicks, SixtyAShowSecondOnWholeMilliseconds)
{
    EXPECT_EQ(tickTime(0), 0);
    EXPECT_EQ(tickTime(1), 16);
    EXPECT_EQ(tickTime(2), 33);
    EXPECT_EQ(tickTime(5460), 91000);
    EXPECT_FLOAT_EQ(tickDelta(0), 0.002f);
    EXPECT_FLOAT_EQ(tickDelta(1), 0.032f);
    EXPECT_FLOAT_EQ(tickDelta(2), 0.034f);
    for (int32_t t : {-5, 0, 15, 16, 17, 33, 999, 1000, 91999}) {
        const int64_t n = lastTickAt(t);
        EXPECT_LE(tickTime(n), std::max(t, 0)) << t;
        EXPECT_GT(tickTime(n + 1), t) << t;
    }
}

TEST(ShowAdvance, CountersAndTheRollAfterTwentyTicksOfAKnownDelta)
{
    constexpr int ticks = 20;
    constexpr float delta = 0.05f;  // 25 ms a tick: 0.025 s, scene delta 0.0125
    struct RunCase {
        const char* name;
        int32_t start;
        std::function<float(const ShowState&)> value;
        double first;
        double perTick;
    };
    const RunCase cases[] = {
        {"logo level, by the scene delta", 4001, [](const ShowState& s) { return s.logo.level; }, 0.0, 0.25 * delta},
        {"first wall, 3 scene deltas", 30000, [](const ShowState& s) { return s.firstWall.scroll; }, 8.0,
         -3 * 0.25 * delta},
        {"dot grid scale, 0.2 scene deltas", 50000, [](const ShowState& s) { return s.beat.stepScale; }, 0.4,
         -0.2 * 0.25 * delta},
        {"second wall, 3 scene deltas", 64000, [](const ShowState& s) { return s.secondWall.scroll; }, 3.0,
         -3 * 0.25 * delta},
        {"greetings ramp, 1.1 a second", 64000, [](const ShowState& s) { return s.beat.greetsRamp; }, 0.0,
         1.1 * 0.5 * delta},
        {"credits ramp, 0.6 a second", 83000, [](const ShowState& s) { return s.beat.creditsRamp; }, 0.0,
         0.6 * 0.5 * delta},
        {"nothing outside the windows", 19000, [](const ShowState& s) { return s.logo.level + s.firstWall.scroll; },
         8.0, 0.0},
    };
    const Bins quiet;
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShowState show;
        float phase = 0.0f;
        for (int n = 0; n < ticks; ++n) {
            advanceShowTick(show, c.start + 25 * n, delta, quiet.values);
            phase += static_cast<float>(delta * 0.125);
        }
        EXPECT_NEAR(c.value(show), c.first + ticks * c.perTick, 1e-5);
        EXPECT_FLOAT_EQ(show.beat.orbitPhase, phase);
        expectCamera(show.camera, phase, 1.0f);
    }
}

TEST(ShowAdvance, TheCameraSeesAHitOneTickLateAndABeatResetsTheGridBeforeItShrinks)
{
    constexpr float delta = 0.05f;
    ShowState show;
    show.beat.orbitPhase = 0.5f;
    Bins bins;
    bins.low(10, 0.2f);  // a bass hit that is no beat: the lowest six stay below 0.22
    advanceShowTick(show, 10000, delta, bins.values);
    float phase = 0.5f + static_cast<float>(delta * 0.125);
    expectCamera(show.camera, phase, 1.0f);  // still at rest in the hit's own tick
    bins.low(10, 0.0f);
    float sinceHit = delta * 0.5f;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        advanceShowTick(show, 10000 + 25 * n, delta, bins.values);
        phase += static_cast<float>(delta * 0.125);
        expectCamera(show.camera, phase, sinceHit);
        sinceHit += delta * 0.5f;
    }

    ShowState grid;
    bins.low(6, 0.5f);  // a beat: step 0 -> 1, scale 0.8 x 0.4, then one shrink
    advanceShowTick(grid, 50000, delta, bins.values);
    EXPECT_EQ(grid.beat.beatStep, 1);
    EXPECT_FLOAT_EQ(grid.beat.stepScale, static_cast<float>(0.8f * 0.4) - static_cast<float>(0.2 * delta * 0.25f));
}

TEST(ShowAdvance, BetweenTicksOnlyWhatMovesContinuouslyMoves)
{
    Bins bins;
    ShowState show;
    for (int64_t n = 0; tickTime(n) <= 64000; ++n) {
        bins.low(6, n % 40 == 0 ? 0.5f : 0.0f);  // a beat every 40 ticks
        advanceShowTick(show, tickTime(n), tickDelta(n), bins.values);
    }
    const int32_t tick = show.time;
    ShowState next = show;
    advanceShowTick(next, tick + 17, 0.034f, bins.values);

    const ShowState on = showBetweenTicks(show, tick);
    EXPECT_EQ(on.beat.orbitPhase, show.beat.orbitPhase);
    EXPECT_EQ(on.secondWall.scroll, show.secondWall.scroll);
    EXPECT_EQ(on.camera.roll, show.camera.roll);

    const ShowState between = showBetweenTicks(show, tick + 8);
    EXPECT_GT(between.beat.orbitPhase, show.beat.orbitPhase);
    EXPECT_LT(between.beat.orbitPhase, next.beat.orbitPhase);
    EXPECT_LT(between.secondWall.scroll, show.secondWall.scroll);
    EXPECT_GT(between.secondWall.scroll, next.secondWall.scroll);
    EXPECT_EQ(between.beat.paletteIndex, show.beat.paletteIndex);
    EXPECT_EQ(between.beat.beatStep, show.beat.beatStep);
    EXPECT_EQ(between.beat.greetsStep, show.beat.greetsStep);
    EXPECT_EQ(between.time, tick + 8);

    // Just before the next tick the continuous values meet what it gives them.
    const ShowState before = showBetweenTicks(show, tick + 17);
    EXPECT_NEAR(before.beat.orbitPhase, next.beat.orbitPhase, 1e-6);
    EXPECT_NEAR(before.secondWall.scroll, next.secondWall.scroll, 1e-5);
    EXPECT_NEAR(before.captions.greetsLevel, next.captions.greetsLevel, 1e-6);
}
