// The composer's rates (seconds, scene delta, orbit and roll) and the order of
// its steps, seen through what they move: counters, levels and the camera
// matrix after a known number of frames of a known delta.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "composer/frame_composer.h"
#include "gl/gl.h"
#include "run/demo_context.h"
#include "tests/gl/show_frame.h"
#include "tests/gl/show_model.h"

namespace {

void expectCamera(const Mat4& want)
{
    GLdouble got[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, got);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(got[i], want.m[i], 2e-5) << "element " << i;
}

}  // namespace

TEST(ComposerRates, CountersAndTheRollAfterTwentyFramesOfAKnownDelta)
{
    constexpr int frames = 20;
    constexpr float delta = 0.05f;  // 25 ms a frame: 0.025 s, scene delta 0.0125
    struct RunCase {
        const char* name;
        int32_t start;
        std::function<float(const ShowState&)> value;
        double first;
        double perFrame;
    };
    const RunCase cases[] = {
        {"logo level, by the scene delta", 4001,
         [](const ShowState& s) { return s.logo.level; }, 0.0, 0.25 * delta},
        {"first wall, 3 scene deltas", 30000,
         [](const ShowState& s) { return s.firstWall.scroll; }, 8.0, -3 * 0.25 * delta},
        {"dot grid scale, 0.2 scene deltas", 50000,
         [](const ShowState& s) { return s.beat.stepScale; }, 0.4, -0.2 * 0.25 * delta},
        {"second wall, 3 scene deltas", 64000,
         [](const ShowState& s) { return s.secondWall.scroll; }, 3.0, -3 * 0.25 * delta},
        {"greetings ramp, 1.1 a second", 64000,
         [](const ShowState& s) { return s.beat.greetsRamp; }, 0.0, 1.1 * 0.5 * delta},
        {"credits ramp, 0.6 a second", 83000,
         [](const ShowState& s) { return s.beat.creditsRamp; }, 0.0, 0.6 * 0.5 * delta},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        resetShowState([](ShowState& s) { s.beat.orbitPhase = 0.0f; });
        float phase = 0.0f;
        for (int n = 0; n < frames; ++n) {
            drawComposerFrame(c.start + 25 * n, delta);
            phase = phaseAfter(phase, delta);
        }
        EXPECT_NEAR(c.value(testComposer().state()), c.first + frames * c.perFrame, 1e-5);
        // Orbit: a quarter of the seconds; roll: 15 degrees per unit of orbit.
        EXPECT_NEAR(phase, frames * 0.125 * delta, 1e-6);
        expectCamera(cameraView(phase, 1.0));
    }
}

TEST(ComposerRates, TheCameraSeesAHitOneFrameLate)
{
    constexpr float delta = 0.05f;
    resetShowState([](ShowState& s) { s.beat.orbitPhase = 0.5f; });
    float phase = 0.5f;
    // A bass hit that is no beat: the lowest ten bins loud, the lowest six below 0.22.
    lowBins(10, 0.2f);
    drawComposerFrame(10000, delta);
    phase = phaseAfter(phase, delta);
    expectCamera(cameraView(phase, 1.0));  // still at rest in the hit's own frame

    lowBins(10, 0.0f);
    float sinceHit = 0.0f + delta * 0.5f;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        drawComposerFrame(10000 + 25 * n, delta);
        phase = phaseAfter(phase, delta);
        expectCamera(cameraView(phase, sinceHit));
        sinceHit += delta * 0.5f;
    }
}
