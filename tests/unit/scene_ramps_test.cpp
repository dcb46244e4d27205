#include <gtest/gtest.h>

#include <cmath>

#include "scenes/captions.h"
#include "scenes/dot_grid.h"
#include "scenes/logo.h"
#include "scenes/text_walls.h"

namespace {
// M_PI is not standard C++; the Windows toolchain has none.
constexpr double pi = 3.14159265358979323846;
}  // namespace

TEST(LogoLevel, FadesInAfter4000HoldsAndFadesOutAfter15000)
{
    EXPECT_EQ(logoLevelAfter(0.0f, 4000, 0.1f), 0.0f);
    EXPECT_FLOAT_EQ(logoLevelAfter(0.0f, 4001, 0.1f), 0.1f);
    EXPECT_FLOAT_EQ(logoLevelAfter(0.3f, 7999, 0.1f), 0.4f);
    EXPECT_EQ(logoLevelAfter(0.65f, 5000, 0.1f), 0.7f);
    EXPECT_EQ(logoLevelAfter(0.0f, 5000, 40.0f), 0.7f);  // a long pause clamps at once
    EXPECT_EQ(logoLevelAfter(0.3f, 8000, 0.1f), 0.3f);
    EXPECT_EQ(logoLevelAfter(0.7f, 15000, 0.1f), 0.7f);
    EXPECT_FLOAT_EQ(logoLevelAfter(0.7f, 15001, 0.1f), 0.6f);
    EXPECT_EQ(logoLevelAfter(0.05f, 17999, 0.1f), 0.0f);
    EXPECT_EQ(logoLevelAfter(0.2f, 18000, 0.1f), 0.2f);

    // At 60 frames a second the level tops out about 1400 ms into the fade-in.
    float level = 0.0f;
    int32_t t = 4000;
    while (level < 0.7f && t < 8000) {
        t += 16;
        level = logoLevelAfter(level, t, 0.016f * 0.5f);
    }
    EXPECT_NEAR(t, 5400, 20);
}

TEST(GreetsLevel, FallsFrom78001To80999)
{
    EXPECT_EQ(greetsLevelAfter(1.0f, 78000, 0.1f), 1.0f);
    EXPECT_FLOAT_EQ(greetsLevelAfter(1.0f, 78001, 0.1f), 0.925f);
    EXPECT_FLOAT_EQ(greetsLevelAfter(0.5f, 80999, 0.1f), 0.425f);
    EXPECT_EQ(greetsLevelAfter(0.05f, 80000, 0.1f), 0.0f);
    EXPECT_EQ(greetsLevelAfter(0.5f, 81000, 0.1f), 0.5f);
    CaptionState state;
    EXPECT_EQ(state.greetsLevel, 1.0f);
}

TEST(TextWalls, ScrollAndTheSecondWallsFade)
{
    TextWallState first{8.0f};
    advanceFirstWall(first, 0.5f);
    EXPECT_FLOAT_EQ(first.scroll, 6.5f);
    EXPECT_EQ(first.level, 1.0f);

    TextWallState second{3.0f};
    advanceSecondWall(second, 79000, 0.1f);
    EXPECT_FLOAT_EQ(second.scroll, 2.7f);
    EXPECT_EQ(second.level, 1.0f);
    advanceSecondWall(second, 79001, 0.1f);
    EXPECT_FLOAT_EQ(second.level, 0.8f);
    advanceSecondWall(second, 79500, 1.0f);
    EXPECT_EQ(second.level, 0.0f);
    advanceSecondWall(second, 79600, 0.1f);
    EXPECT_EQ(second.level, 0.0f);
}

TEST(TextWalls, BrightnessFollowsTheSineOfTheLowSpectrum)
{
    EXPECT_FLOAT_EQ(firstWallBrightness(0.0f), 0.25f);
    EXPECT_FLOAT_EQ(firstWallBrightness(static_cast<float>(pi / 20)), 0.45f);
    EXPECT_NEAR(firstWallBrightness(static_cast<float>(3 * pi / 20)), 0.05f, 1e-6);
    EXPECT_FLOAT_EQ(secondWallBrightness(0.0f, 1.0f), 0.075f);
    EXPECT_FLOAT_EQ(secondWallBrightness(static_cast<float>(pi / 20), 0.5f), 0.0625f);
    EXPECT_EQ(secondWallBrightness(0.3f, 0.0f), 0.0f);
}

TEST(DotGrid, AlphaMayGoNegativeAndScaleHasNoFloor)
{
    EXPECT_FLOAT_EQ(dotGridAlpha(0.0f), 0.1f);
    EXPECT_FLOAT_EQ(dotGridAlpha(static_cast<float>(3 * pi / 20)), -0.15f);
    EXPECT_FLOAT_EQ(shrunkStepScale(0.4f, 0.5f), 0.3f);
    EXPECT_FLOAT_EQ(shrunkStepScale(0.05f, 0.5f), -0.05f);
}
