#include <gtest/gtest.h>

#include <cmath>

#include "frame/band_lighting.h"
#include "frame/bands.h"
#include "frame/camera.h"

namespace {
// M_PI is not standard C++; the Windows toolchain has none.
constexpr double pi = 3.14159265358979323846;
}  // namespace

TEST(Camera, AtRestTheEyeStaysOnTheAxisWhateverThePhase)
{
    for (float phase : {0.0f, 1.0f, 7.5f, 23.0f}) {
        const Camera camera = cameraFor(phase, phase * 15.0f, 1.0f);
        EXPECT_EQ(camera.eye[0], 0.0f);
        EXPECT_EQ(camera.eye[1], 0.0f);
        EXPECT_EQ(camera.eye[2], 6.25f);
        EXPECT_EQ(camera.roll, phase * 15.0f);
        EXPECT_EQ(camera.centre[0], 0.0f);
        EXPECT_EQ(camera.centre[2], 0.0f);
    }
}

TEST(Camera, RightAfterAHitTheEyeSwaysWithThePhase)
{
    Camera camera = cameraFor(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(camera.eye[0], 0.0f);
    EXPECT_EQ(camera.eye[2], 6.25f);

    const float quarter = static_cast<float>(pi / 2);
    camera = cameraFor(quarter, quarter * 15.0f, 0.0f);
    EXPECT_FLOAT_EQ(camera.eye[0], 0.5f);
    EXPECT_FLOAT_EQ(camera.eye[1], static_cast<float>(0.35 * std::sin(0.6 * pi)));
    EXPECT_FLOAT_EQ(camera.eye[2], 5.0f);

    // Half recovered: the pulse scales the sway and the angle of the depth.
    camera = cameraFor(quarter, 0.0f, 0.5f);
    EXPECT_FLOAT_EQ(camera.eye[0], 0.25f);
    EXPECT_FLOAT_EQ(camera.eye[2], static_cast<float>(std::cos(0.5 * quarter) * 1.25 + 5.0));
}

TEST(Camera, PulseIsDoubleAndOnlyTheSidewaysSineIsRoundedToFloat)
{
    // The documented steps: h = 1 - sinceHit in double, the sideways sine
    // stored as a float, everything else in double until each result is
    // stored. At these inputs a float pulse (the first two), a float vertical
    // sine (the third) or a sideways sine kept in double (the fourth) moves
    // an eye value by its last bit, with glibc's sin and cos. The inputs go
    // through volatile so that the compiler cannot fold the sines itself.
    const float cases[][2] = {{0x1.df3b64p-4f, 0x1.2d0e56p-2f}, {0x1.df3b64p+0f, 0x1.916874p-3f},
                              {0x1.df3b64p-3f, 0x1.2d0e56p-3f}, {0x1.df3b64p-3f, 0x1.2d0e56p-2f}};
    for (const auto& c : cases) {
        volatile float phaseIn = c[0];
        volatile float sinceIn = c[1];
        const double phase = phaseIn;
        const double h = 1.0 - static_cast<double>(sinceIn);
        volatile float sideways = static_cast<float>(std::sin(phase));
        const float want[3] = {static_cast<float>(sideways * 0.5 * h),
                               static_cast<float>(std::sin(1.2 * phase) * 0.35 * h),
                               static_cast<float>(std::cos(h * phase) * 1.25 + 5.0)};
        const Camera camera = cameraFor(phaseIn, 0.0f, sinceIn);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(camera.eye[k], want[k]) << "phase " << c[0] << " sinceHit " << c[1] << " axis " << k;
    }
}

TEST(BandMaterial, WhiteGoesAboveOneAndKeepsBlueSpecularAtOne)
{
    const BandMaterial m = bandMaterialFor(1.0, 1.0, 1.0);
    EXPECT_FLOAT_EQ(m.diffuse[0], 1.2f);
    EXPECT_FLOAT_EQ(m.diffuse[2], 1.21f);
    EXPECT_FLOAT_EQ(m.ambient[1], 0.9f);
    EXPECT_FLOAT_EQ(m.ambient[2], 0.9075f);
    EXPECT_FLOAT_EQ(m.specular[0], 1.32f);
    EXPECT_EQ(m.specular[2], 1.0f);
    EXPECT_EQ(m.diffuse[3], 1.0f);
}

TEST(BandMaterial, TopBandOfTheFirstPalette)
{
    const PaletteColour& c = bandPalettes[0][0];
    const BandMaterial m = bandMaterialFor(c.r, c.g, c.b);
    EXPECT_FLOAT_EQ(m.diffuse[0], static_cast<float>(1.2 * 208 / 255));
    EXPECT_FLOAT_EQ(m.diffuse[1], static_cast<float>(1.2 * 217 / 255));
    EXPECT_FLOAT_EQ(m.diffuse[2], static_cast<float>(1.21 * 145 / 255));
    // Ambient comes from the stored float diffuse.
    EXPECT_EQ(m.ambient[0], static_cast<float>(0.75 * m.diffuse[0]));
}
