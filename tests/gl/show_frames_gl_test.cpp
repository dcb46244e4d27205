#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assets/shader_registry.h"
#include "composer/frame_composer.h"
#include "frame/bands.h"
#include "gl/gl.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/show_frame.h"

namespace {

// Hue in degrees of an RGB colour (any scale).
double hueOf(double r, double g, double b)
{
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    if (hi - lo <= 0.0)
        return 0.0;
    double h;
    if (hi == r)
        h = 60.0 * std::fmod((g - b) / (hi - lo), 6.0);
    else if (hi == g)
        h = 60.0 * ((b - r) / (hi - lo) + 2.0);
    else
        h = 60.0 * ((r - g) / (hi - lo) + 4.0);
    return h < 0.0 ? h + 360.0 : h;
}

// Mean colour of a small square around (x, y).
void meanAround(const Frame& frame, int32_t x, int32_t y, double out[3])
{
    out[0] = out[1] = out[2] = 0.0;
    int n = 0;
    for (int32_t dy = -4; dy <= 4; ++dy)
        for (int32_t dx = -4; dx <= 4; ++dx, ++n)
            for (int c = 0; c < 3; ++c)
                out[c] += frame.at(x + dx, y + dy)[c];
    for (int c = 0; c < 3; ++c)
        out[c] /= n;
}

// Every pixel that changed from before to after went down by at least the
// given amount or to 0: what subtracting a colour of that brightness does.
void expectSubtractedAtLeast(const Frame& before, const Frame& after, int amount)
{
    int64_t wrong = 0;
    for (size_t i = 0; i < before.rgb.size(); ++i) {
        const int was = before.rgb[i];
        const int now = after.rgb[i];
        if (now != was && now > std::max(0, was - amount) + 1)
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

// How many colour values of a faded frame are more than one step from keep
// times the same frame unfaded.
int64_t pixelsNotScaled(const Frame& faded, const Frame& unfaded, double keep)
{
    int64_t off = 0;
    for (size_t i = 0; i < faded.rgb.size(); ++i)
        if (std::abs(faded.rgb[i] - unfaded.rgb[i] * keep) > 1.0)
            ++off;
    return off;
}

struct SceneCase {
    const char* name;
    int32_t inside;        // a time inside the window
    int32_t firstInside;   // its ends, both drawn
    int32_t lastInside;
    int32_t justBefore;    // just outside: nothing drawn by the scene
    int32_t justAfter;
    StateSetup setup;  // what the scene needs to show at all
    StateSetup rest;   // its counter at rest, or none for a quiet time
};

const StateSetup resetFades = [](ShowState& s) { resetScreenFades(s.fadeDone); };

}  // namespace

TEST(ShowFrames, FadeInStartsBlackAndHalvesTheFrameAt1000)
{
    glTestContext();
    Frame frame = composeAt(0, resetFades);
    testComposer().drawScreenFades();
    frame = readFrame();
    EXPECT_EQ(std::count(frame.rgb.begin(), frame.rgb.end(), 0), static_cast<long>(frame.rgb.size()));

    const Frame unfaded = composeAt(1000, resetFades);
    ASSERT_GT(*std::max_element(unfaded.rgb.begin(), unfaded.rgb.end()), 20);
    testComposer().drawScreenFades();
    const Frame faded = readFrame();
    EXPECT_EQ(pixelsNotScaled(faded, unfaded, 0.5), 0);
}

TEST(ShowFrames, FadeOutHalvesTheFrameAt91000)
{
    const Frame unfaded = composeAt(91000, resetFades);
    testComposer().drawScreenFades();
    const Frame faded = readFrame();
    EXPECT_EQ(pixelsNotScaled(faded, unfaded, 0.5), 0);
    EXPECT_EQ(testComposer().state().fadeDone[0], 1);
}

TEST(ShowFrames, FadesScaleEveryPixelByOneMinusTheirAlpha)
{
    struct FadeCase {
        int32_t t;
        double alpha;
    };
    const FadeCase cases[] = {{0, 1.0},      {500, 0.75},     {1500, 0.25},    {2000, 0.0},   {2001, 0.0},
                              {90000, 0.0},  {90500, 0.25},   {91500, 0.75},   {92000, 1.0}};
    for (const FadeCase& c : cases) {
        SCOPED_TRACE(c.t);
        const Frame base = composeAt(c.t, resetFades);
        testComposer().drawScreenFades();
        const Frame faded = readFrame();
        EXPECT_EQ(pixelsNotScaled(faded, base, 1.0 - c.alpha), 0);
    }
}

// The middle band at 500 ms, at the centre of the picture, with the band
// shader and with the fixed-function stand-in used when it is missing.
void expectMiddleBandColours()
{
    const Frame frame = composeAt(500, [](ShowState& s) { s.beat.orbitPhase = 0.0f; });
    double colour[3];
    meanAround(frame, frame.width / 2, frame.height / 2, colour);
    const PaletteColour& want = bandPalettes[0][2];
    // The shader's fog pulls a little towards the background colour.
    EXPECT_NEAR(hueOf(colour[0], colour[1], colour[2]), hueOf(want.r, want.g, want.b), 30.0)
        << colour[0] << " " << colour[1] << " " << colour[2];
    EXPECT_GT(colour[1], colour[0]);  // green leads, red trails, as in (85, 115, 109)

    // A loud frame steps the palette before the bands are drawn: palette 1's
    // third colour is a near white, so the band loses its tint.
    const Frame beat = composeAt(500, [](ShowState& s) {
        s.beat.orbitPhase = 0.0f;
        std::fill(glTestContext().music.spectrumBins, glTestContext().music.spectrumBins + 6, 0.5f);
    });
    EXPECT_EQ(testComposer().state().beat.paletteIndex, 1);
    double white[3];
    meanAround(beat, beat.width / 2, beat.height / 2, white);
    const double spread = *std::max_element(white, white + 3) - *std::min_element(white, white + 3);
    const double tinted = *std::max_element(colour, colour + 3) - *std::min_element(colour, colour + 3);
    EXPECT_LT(spread / std::max(1.0, white[1]), tinted / std::max(1.0, colour[1]));
}

TEST(ShowFrames, MiddleBandTakesThePalettesThirdColourAndABeatRecoloursIt)
{
    composeAt(0);
    ASSERT_NE(glTestContext().shaders.findProgram("PP"), nullptr);
    {
        SCOPED_TRACE("band shader");
        expectMiddleBandColours();
    }
    const ShaderRegistry none;
    {
        ComposerInUse standIn(glTestContext().textures, none);
        SCOPED_TRACE("fixed-function stand-in");
        expectMiddleBandColours();
    }
}

TEST(ShowFrames, ScenesDrawOnlyInsideTheirWindows)
{
    const SceneCase cases[] = {
        {"logo", 6000, 4000, 18000, 3999, 18001, [](ShowState& s) { s.logo.level = 0.7f; }, [](ShowState&) {}},
        {"text card", 25000, 20000, 32000, 19999, 32001, [](ShowState& s) { s.beat.bounceCounter = 2; },
         [](ShowState&) {}},
        // Where a live run has scrolled it by 40000 ms; at its start value the
        // wall lies to the right of the picture.
        {"first wall", 40000, 28000, 47000, 27999, 47001, [](ShowState& s) { s.firstWall.scroll = -10.0f; }, {}},
        {"dot grid", 55000, 48000, 62000, 47999, 62001, [](ShowState&) {}, {}},
        {"greetings", 70000, 62000, 81000, 61999, 81001, [](ShowState& s) { s.beat.greetsStep = 3; },
         [](ShowState&) {}},
        {"credits", 85000, 82000, 92000, 81999, -1, [](ShowState& s) { s.beat.creditsStep = 1; },
         [](ShowState& s) { s.beat.creditsStep = 4; }},
    };
    for (const SceneCase& scene : cases) {
        SCOPED_TRACE(scene.name);
        // The frame without the scene: the same time with the scene's
        // counter at rest, or a time at which nothing but the wall is drawn.
        auto without = [&](int32_t t) {
            if (scene.rest)
                return composeAt(t, scene.rest);
            // The wall and the grid have no counter: compare with a quiet time
            // that shares every other scene drawn then (past 62000 ms the
            // second wall, which a time inside its window draws the same).
            return composeAt(t > 62000 ? 70000 : 19000, scene.setup);
        };
        const Frame inside = composeAt(scene.inside, scene.setup);
        const Frame base = without(scene.inside);
        EXPECT_GT(countChanged(inside, base), 2000);
        for (int32_t t : {scene.firstInside, scene.lastInside})
            EXPECT_GT(countChanged(composeAt(t, scene.setup), without(t)), 2000) << t;
        for (int32_t t : {scene.justBefore, scene.justAfter}) {
            if (t >= 0) {
                EXPECT_EQ(countChanged(composeAt(t, scene.setup), without(t)), 0) << t;
            }
        }
    }
}

TEST(ShowFrames, SubtractiveScenesDarkenByTheirBrightness)
{
    // Untextured cards subtract their whole colour: 0.75 x 255 for the
    // text card, 0.7 x 255 for the logo; the first wall 0.25 x 255 per layer.
    const Frame base = composeAt(19000);
    expectSubtractedAtLeast(base, composeAt(6000, [](ShowState& s) { s.logo.level = 0.7f; }), 178);
    expectSubtractedAtLeast(base, composeAt(25000, [](ShowState& s) { s.beat.bounceCounter = 2; }), 190);
    expectSubtractedAtLeast(base, composeAt(40000, [](ShowState& s) { s.firstWall.scroll = -10.0f; }), 63);
    // A logo at level 0 leaves the picture as it is.
    EXPECT_EQ(countChanged(base, composeAt(17000, [](ShowState& s) { s.logo.level = 0.0f; })), 0);
}

TEST(ShowFrames, DotGridBlendsPaletteColoursAtItsOpacity)
{
    // Beat step 0 blends normally: 0.9 x frame + 0.1 x a colour of palette 2.
    const Frame base = composeAt(47500);
    const Frame grid = composeAt(55000);
    const PaletteColour* palette = bandPalettes[2];
    int64_t changed = 0;
    int64_t unexplained = 0;
    for (size_t i = 0; i < base.rgb.size(); i += 3) {
        if (std::equal(&base.rgb[i], &base.rgb[i] + 3, &grid.rgb[i]))
            continue;
        ++changed;
        bool explained = false;
        for (int k = 0; k < bandCount && !explained; ++k) {
            const double want[3] = {palette[k].r, palette[k].g, palette[k].b};
            explained = true;
            for (int c = 0; c < 3; ++c)
                if (std::abs(grid.rgb[i + c] - (0.9 * base.rgb[i + c] + 0.1 * 255 * want[c])) > 2.0)
                    explained = false;
        }
        if (!explained)
            ++unexplained;
    }
    EXPECT_GT(changed, 10000);
    // Edge pixels of the sprites are partly covered.
    EXPECT_LT(unexplained, changed / 20);
}
