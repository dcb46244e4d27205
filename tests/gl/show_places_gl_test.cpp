// Where the show's quads land and what colour they leave, worked out from the
// numbers (projection and letterbox, camera and roll, each scene's translate,
// rotate and corners, the blend and brightness) and checked pixel by pixel
// against frames drawn with the coded test pictures of show_model.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "composer/show_state.h"
#include "frame/bands.h"
#include "gl/gl.h"
#include "scenes/caption_rows.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/show_frame.h"
#include "tests/gl/show_model.h"

namespace {

constexpr float delta = 0.032f;  // each composeAt frame
constexpr int32_t quietTime = 47500;  // no scene draws and no counter moves
const double stepDepths[9] = {-4, -3.5, -3, -2.5, -2, -2.5, -3, -3.5, -4};
const double quarterTurnMean = 3.14159265358979323846 / 20;  // sin(10 m) = 1

// Every composeAt frame starts from phase 2 and advances it once.
double roll()
{
    return phaseAfter(2.0f, delta) * 15.0f;
}

Rgb pixelAt(const Frame& frame, const ScreenPoint& p)
{
    const uint8_t* c = frame.at(static_cast<int32_t>(std::floor(p.x)), static_cast<int32_t>(std::floor(p.y)));
    return {double(c[0]), double(c[1]), double(c[2])};
}

bool near(const Rgb& a, const Rgb& b, double tolerance)
{
    return std::fabs(a.r - b.r) <= tolerance && std::fabs(a.g - b.g) <= tolerance && std::fabs(a.b - b.b) <= tolerance;
}

std::string str(const Rgb& c)
{
    std::ostringstream out;
    out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
    return out.str();
}

std::string str(const ScreenPoint& p)
{
    std::ostringstream out;
    out << "pixel " << std::floor(p.x) << "," << std::floor(p.y);
    return out.str();
}

// How a quad's texel changes the colour under it.
using Blend = std::function<Rgb(const Rgb& under, const Rgb& texel)>;

Blend subtracting(double brightness)
{
    return [brightness](const Rgb& u, const Rgb& t) {
        return Rgb{std::max(0.0, u.r - brightness * t.r), std::max(0.0, u.g - brightness * t.g),
                   std::max(0.0, u.b - brightness * t.b)};
    };
}

// One quad as a scene draws it: an object-space rectangle at depth z under
// its modelview, showing its sheet from t = tBottom at the lower edge to
// tTop at the upper one, s from 0 at the left to 1 at the right.
struct Quad {
    Mat4 modelview;
    double left, right, bottom, top, z;
    Sheet sheet;
    double tTop, tBottom;
    double t(double v) const { return tBottom + v * (tTop - tBottom); }
    ScreenPoint screen(double u, double v) const
    {
        return toScreen(transformPoint(modelview, {left + (right - left) * u, bottom + (top - bottom) * v, z}));
    }
};

// Checks one quad: the blended picture colour at points over it (corners,
// edges, quadrants), its centre between its quadrants' colours, and at each
// corner and edge that a pixel 3 px inside is drawn and one 3 px outside is
// untouched. Returns how many points were checked.
int expectQuad(const Frame& base, const Frame& after, const Quad& q, const Blend& blend, double tolerance = 1.0)
{
    int checked = 0;
    const double fractions[] = {0.02, 0.06, 0.12, 0.25, 0.75, 0.88, 0.94, 0.98};
    for (double u : fractions)
        for (double v : fractions) {
            Rgb texel;
            const ScreenPoint p = q.screen(u, v);
            if (!insidePicture(p, 2) || !pictureColour(q.sheet, u, q.t(v), 1.0, texel))
                continue;
            ++checked;
            const Rgb want = blend(pixelAt(base, p), texel);
            EXPECT_TRUE(near(pixelAt(after, p), want, tolerance))
                << "u " << u << " v " << v << " " << str(p) << ": " << str(pixelAt(after, p)) << ", wanted "
                << str(want) << " over " << str(pixelAt(base, p));
        }

    const ScreenPoint centre = q.screen(0.5, 0.5);
    if (insidePicture(centre, 2)) {
        Rgb low{255, 255, 255}, high{0, 0, 0};
        for (double u : {0.25, 0.75})
            for (double v : {0.25, 0.75}) {
                Rgb texel;
                pictureColour(q.sheet, u, q.t(v), 0.0, texel);
                const Rgb c = blend(pixelAt(base, centre), texel);
                low = {std::min(low.r, c.r), std::min(low.g, c.g), std::min(low.b, c.b)};
                high = {std::max(high.r, c.r), std::max(high.g, c.g), std::max(high.b, c.b)};
            }
        const Rgb got = pixelAt(after, centre);
        const Rgb mid{(low.r + high.r) / 2, (low.g + high.g) / 2, (low.b + high.b) / 2};
        const double spread = std::max({high.r - low.r, high.g - low.g, high.b - low.b}) / 2 + tolerance;
        EXPECT_TRUE(near(got, mid, spread)) << "centre " << str(centre) << ": " << str(got) << ", wanted within "
                                            << str(low) << " .. " << str(high);
    }

    for (int su = -1; su <= 1; ++su)
        for (int sv = -1; sv <= 1; ++sv) {
            if (su == 0 && sv == 0)
                continue;
            const double u = 0.5 + 0.5 * su, v = 0.5 + 0.5 * sv;
            const ScreenPoint p = q.screen(u, v);
            auto unit = [](ScreenPoint a, ScreenPoint b) {
                const double length = std::hypot(b.x - a.x, b.y - a.y);
                return ScreenPoint{(b.x - a.x) / length, (b.y - a.y) / length};
            };
            const ScreenPoint eu = unit(q.screen(0, v), q.screen(1, v));
            const ScreenPoint ev = unit(q.screen(u, 0), q.screen(u, 1));
            const ScreenPoint out{su * eu.x + sv * ev.x, su * eu.y + sv * ev.y};
            const ScreenPoint inside{p.x - 3 * out.x, p.y - 3 * out.y};
            const ScreenPoint outside{p.x + 3 * out.x, p.y + 3 * out.y};
            if (!insidePicture(inside, 1) || !insidePicture(outside, 1))
                continue;
            EXPECT_FALSE(near(pixelAt(after, inside), pixelAt(base, inside), 0.0)) << "3 px inside " << str(inside);
            EXPECT_TRUE(near(pixelAt(after, outside), pixelAt(base, outside), 0.0))
                << "3 px outside " << str(outside) << ": " << str(pixelAt(after, outside)) << " over "
                << str(pixelAt(base, outside));
        }
    return checked;
}

enum CardScene { Logo, TextCard, Greetings, Credits };

// A card scene in one frame: the state set before it, and the counters,
// spin and brightness the frame should draw it with.
struct CardCase {
    const char* name;
    int32_t t;
    StateSetup setup;
    CardScene scene;
    int row;
    double spin;
    int beatStep;
    double brightness;
    StateSetup hide;  // the same frame without the card; else the quiet time
};

Quad cardQuad(const CardCase& c)
{
    const double depth = stepDepths[c.beatStep];
    const double spinAngle = c.spin * roll();
    switch (c.scene) {
    case Logo:
        return {translation(0, c.spin * (depth + 4.0), 0.75 * depth) * rotation(spinAngle, 0, 0, -1),
                -4, 4, -0.5, 0.5, -0.2, LogoSheet, 0.0, 1.0};
    case TextCard:
        return {translation(0, 0, 0.75 * depth), -4, 4, -0.476, 0.476, -0.2, TextSheet,
                textRowTable[c.row].top, textRowTable[c.row].bottom};
    case Greetings:
        return {translation(0, 0, 0.75 * depth), -4, 4, -0.476, 0.476, -0.2, c.row < 8 ? Greets1Sheet : Greets2Sheet,
                greetRowTable[c.row].top, greetRowTable[c.row].bottom};
    case Credits:
        return {translation(std::sin(depth), std::cos(depth), 0.75 * depth) * rotation(spinAngle, 0, 0, -1), -4, 4,
                -0.476, 0.476, -0.2, CreditsSheet, creditRowTable[c.row].top, creditRowTable[c.row].bottom};
    }
    return {};
}

}  // namespace

TEST(ShowPlaces, CardsLandWhereTheirNumbersPutThemAtTheirBrightness)
{
    auto logo = [](float level, float spin, int step) {
        return [=](ShowState& s) {
            s.logo.level = level;
            s.beat.spinDirection = spin;
            s.beat.beatStep = step;
        };
    };
    auto text = [](int counter, int step) {
        return [=](ShowState& s) {
            s.beat.bounceCounter = counter;
            s.beat.beatStep = step;
        };
    };
    auto greets = [](int counter, int step, float level) {
        return [=](ShowState& s) {
            s.beat.greetsStep = counter;
            s.beat.beatStep = step;
            s.captions.greetsLevel = level;
        };
    };
    auto credits = [](int counter, int step, float spin) {
        return [=](ShowState& s) {
            s.beat.creditsStep = counter;
            s.beat.beatStep = step;
            s.beat.spinDirection = spin;
        };
    };
    const auto noGreets = [](ShowState& s) { s.beat.greetsStep = -1; };
    const float fadeStep = 0.75f * delta * 0.25f;  // the greetings fade per frame of the scene delta
    const CardCase cases[] = {
        {"logo spinning +1", 10000, logo(0.7f, 1, 2), Logo, 0, 1, 2, 0.7, {}},
        {"logo spinning -1", 12000, logo(0.7f, -1, 3), Logo, 0, -1, 3, 0.7, {}},
        {"logo fading in by the scene delta", 5000, logo(0.3f, 1, 0), Logo, 0, 1, 0, 0.3 + delta * 0.25, {}},
        {"logo on a beat of its own frame", 10000, [logo](ShowState& s) { logo(0.7f, 1, 1)(s); lowBins(6, 0.3); },
         Logo, 0, -1, 2, 0.7, {}},
        {"text card 0", 25000, text(0, 0), TextCard, 0, 1, 0, 0.75, {}},
        {"text card 3", 25000, text(3, 2), TextCard, 3, 1, 2, 0.75, {}},
        {"text card 7", 30000, text(7, 7), TextCard, 7, 1, 7, 0.75, {}},
        {"text card on an onset of its own frame", 20000, [text](ShowState& s) { text(-1, 8)(s); lowBins(3, 0.3); },
         TextCard, 0, 1, 8, 0.75, {}},
        {"greetings 7, first sheet", 70000, greets(7, 1, 1.0f), Greetings, 7, 1, 1, 0.75, noGreets},
        {"greetings 8, second sheet", 70000, greets(8, 8, 0.6f), Greetings, 8, 1, 8, 0.45, noGreets},
        {"greetings fading", 79000, greets(12, 0, 0.5f), Greetings, 12, 1, 0, 0.75 * (0.5 - fadeStep), noGreets},
        {"credits 0 at depth -4", 85000, credits(0, 0, 1), Credits, 0, 1, 0, 0.75, {}},
        {"credits 1 at depth -3.5", 85000, credits(1, 1, -1), Credits, 1, -1, 1, 0.75, {}},
        {"credits 2 at depth -3", 85000, credits(2, 2, 1), Credits, 2, 1, 2, 0.75, {}},
        {"credits 3 at depth -2.5", 85000, credits(3, 3, -1), Credits, 3, -1, 3, 0.75, {}},
        {"credits 1 at depth -2", 85000, credits(1, 4, 1), Credits, 1, 1, 4, 0.75, {}},
    };
    TestPicturesInUse pictures;
    for (const CardCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Frame base = c.hide ? composeAt(c.t, [&](ShowState& s) { c.setup(s); c.hide(s); })
                                  : composeAt(quietTime, c.setup);
        const Frame after = composeAt(c.t, c.setup);
        EXPECT_GE(expectQuad(base, after, cardQuad(c), subtracting(c.brightness)), 12);
    }
}

TEST(ShowPlaces, WallRowsSpacingAndScrollInTheCamerasWorld)
{
    struct WallCase {
        const char* name;
        int32_t t;
        bool second;
        float scroll;  // before the frame
        int beatStep;
        double mean;   // of the lowest 20 bins
        float level;   // the second wall's
        double brightness;
    };
    const WallCase cases[] = {
        {"first wall, silent", 40000, false, -10.0f, 0, 0.0, 1.0f, 0.25},
        {"first wall, brightest", 40000, false, -3.0f, 4, quarterTurnMean, 1.0f, 0.45},
        {"second wall", 70000, true, -9.0f, 2, quarterTurnMean, 1.0f, 0.125},
        {"second wall fading", 79500, true, -12.0f, 6, 0.0, 0.5f, 0.075 * (0.5 - 2 * delta * 0.25)},
    };
    TestPicturesInUse pictures;
    for (const WallCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto setup = [&](ShowState& s) {
            (c.second ? s.secondWall : s.firstWall) = TextWallState{c.scroll, c.level};
            s.beat.beatStep = c.beatStep;
            lowBins(20, c.mean);
        };
        const Frame base = composeAt(quietTime, setup);
        const Frame after = composeAt(c.t, setup);
        const double spacing = c.second ? 11.6 : 8.4;
        const double lowerT = c.second ? 0.119 : 0.238;
        const double upperT = c.second ? 0.0 : 0.119;
        const double scroll = c.scroll - 3.0 * (delta * 0.25);
        const Mat4 wall =
            cameraView(phaseAfter(2.0f, delta), 1.0) * translation(0, -25, 1.2 * stepDepths[c.beatStep] - 0.05);
        int checked = 0;
        int gaps = 0;
        for (int k = 0; k < 15; ++k) {
            for (double x = -45.0; x < 45.0; x += 0.7) {
                // Between this row and the next nothing is drawn.
                const ScreenPoint gap = toScreen(transformPoint(wall, {x, 3.0 * k + 1.5, -0.2}));
                if (insidePicture(gap, 2)) {
                    ++gaps;
                    EXPECT_TRUE(near(pixelAt(after, gap), pixelAt(base, gap), 0.0)) << "gap above row " << k;
                }
                for (double v : {0.25, 0.75}) {
                    const ScreenPoint p = toScreen(transformPoint(wall, {x, 3.0 * k - 1.428 + 2.856 * v, -0.2}));
                    if (!insidePicture(p, 2))
                        continue;
                    // Neighbouring quads of a row overlap: every one over x subtracts.
                    Rgb sum{0, 0, 0};
                    bool clear = true;
                    for (int i = 0; i < 30 && clear; ++i) {
                        const double fromCentre = x - ((i + 0.5 * k) * spacing + (k + 1) * scroll);
                        Rgb texel;
                        if (std::fabs(std::fabs(fromCentre) - 12.0) < 0.1)
                            clear = false;
                        else if (std::fabs(fromCentre) < 12.0 &&
                                 (clear = pictureColour(TextSheet, (fromCentre + 12.0) / 24.0,
                                                        lowerT + v * (upperT - lowerT), 1.0, texel)))
                            sum = {sum.r + texel.r, sum.g + texel.g, sum.b + texel.b};
                    }
                    if (!clear)
                        continue;
                    checked += sum.r + sum.g + sum.b > 0.0;
                    const Rgb want = subtracting(c.brightness)(pixelAt(base, p), sum);
                    EXPECT_TRUE(near(pixelAt(after, p), want, 2.0))
                        << "row " << k << " x " << x << " v " << v << " " << str(p) << ": "
                        << str(pixelAt(after, p)) << ", wanted " << str(want);
                }
            }
        }
        EXPECT_GT(checked, 200) << "points under the wall";
        EXPECT_GT(gaps, 50);
    }
}

TEST(ShowPlaces, DotGridSpritesTheirSizeColourAndBlend)
{
    struct DotCase {
        const char* name;
        int beatStep;  // 4 blends over the picture, 5 cuts the sprites out of it
        float spin;
        float stepScale;  // before the frame shrinks it
        int paletteIndex;
        double mean;
        double alpha;
    };
    const DotCase cases[] = {
        {"step 4, silent", 4, 1.0f, 0.3f, 1, 0.0, 0.1},
        {"step 5, loudest", 5, -1.0f, 0.25f, 3, quarterTurnMean, 0.35},
    };
    TestPicturesInUse pictures;
    for (const DotCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto setup = [&](ShowState& s) {
            s.beat.beatStep = c.beatStep;
            s.beat.spinDirection = c.spin;
            s.beat.stepScale = c.stepScale;
            s.beat.paletteIndex = c.paletteIndex;
            lowBins(20, c.mean);
        };
        const Frame base = composeAt(quietTime, setup);
        const Frame after = composeAt(55000, setup);
        const double half = 2.0 * (c.stepScale - 0.2 * (delta * 0.25));
        const Mat4 grid =
            translation(0, 0, 0.75 * stepDepths[c.beatStep]) * rotation(c.spin * roll(), 0, 0, -1);
        const bool cut = c.beatStep > 4;
        int checked = 0;
        for (int j = 0; j < 10; ++j)
            for (int i = 0; i < 10; ++i) {
                const PaletteColour& colour = bandPalettes[(c.paletteIndex + 2) % 5][i % 5];
                const double a = c.alpha;
                const Blend blend = [&](const Rgb& u, const Rgb& t) {
                    const Rgb src{colour.r * t.r, colour.g * t.g, colour.b * t.b};
                    auto mix = [&](double under, double s) {
                        return cut ? std::max(0.0, under * (1 - a) - s * a) : under * (1 - a) + s * a;
                    };
                    return Rgb{mix(u.r, src.r), mix(u.g, src.g), mix(u.b, src.b)};
                };
                const double x = 2 * i - 10, y = 2 * j - 10;
                checked += expectQuad(base, after,
                                      {grid, x - half, x + half, y - half, y + half, -2.2, DotSheet, 0.0, 1.0}, blend,
                                      1.5);
            }
        EXPECT_GT(checked, 40);
    }
}

TEST(ShowPlaces, BandsPaletteOffsetsLightFogBackgroundAndBars)
{
    struct BandCase {
        const char* name;
        int palette;
        float phase;  // before the frame
        float sinceHit;
    };
    const BandCase cases[] = {
        {"palette 0 at rest", 0, 2.0f, 1.0f},
        {"palette 2 swaying after a hit", 2, 2.0f, 0.4f},
        {"palette 4 rolled far", 4, 3.87f, 1.0f},
        {"palette 1, phase 1", 1, 1.0f, 0.0f},
    };
    TestPicturesInUse pictures;
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Frame frame = composeAt(quietTime, [&](ShowState& s) {
            s.beat.paletteIndex = c.palette;
            s.beat.orbitPhase = c.phase;
            s.beat.sinceHit = c.sinceHit;
        });
        const Mat4 view = cameraView(phaseAfter(c.phase, delta), c.sinceHit);
        int checked = 0;
        for (int band = 0; band < 5; ++band)
            for (double x = -22.0; x <= 22.0; x += 1.9)
                for (double dy : {-3.8, -2.0, -0.3, 0.3, 2.0, 3.8}) {  // near its edges and its middle too
                    const double y = bandCentres[band] + dy;
                    const ScreenPoint p = toScreen(transformPoint(view, {x, y, -3.75}));
                    Rgb want;
                    if (!insidePicture(p, 2) || !bandColour(c.palette, band, x, y, view, want))
                        continue;
                    ++checked;
                    EXPECT_TRUE(near(pixelAt(frame, p), want, 1.0))
                        << "band " << band << " at " << x << "," << y << " " << str(p) << ": "
                        << str(pixelAt(frame, p)) << ", wanted " << str(want);
                }
        EXPECT_GT(checked, 100);

        // Below the wall only the background quad is left.
        int background = 0;
        for (double x = -25.0; x <= 25.0; x += 0.1) {
            const ScreenPoint p = toScreen(transformPoint(view, {x, -19.25, -3.75}));
            if (!insidePicture(p, 3))
                continue;
            ++background;
            EXPECT_TRUE(near(pixelAt(frame, p), backgroundRgb, 0.0)) << str(p) << ": " << str(pixelAt(frame, p));
        }
        if (c.phase > 3.0f) {
            EXPECT_GT(background, 3);
        }

        // The bars stay as the clear leaves them; the picture starts at its edge.
        for (int32_t y : {0, 400, 799}) {
            for (int32_t x : {0, pictureLeft - 1, pictureLeft + pictureWidth, testWindowWidth - 1})
                EXPECT_TRUE(near(pixelAt(frame, {x + 0.5, y + 0.5}), {0, 0, 0}, 0.0)) << x << "," << y;
            for (int32_t x : {pictureLeft, pictureLeft + pictureWidth - 1})
                EXPECT_FALSE(near(pixelAt(frame, {x + 0.5, y + 0.5}), {0, 0, 0}, 10.0)) << x << "," << y;
        }

        // The light is placed with the camera matrix: fixed in the world.
        GLfloat light[4];
        glGetLightfv(GL_LIGHT0, GL_POSITION, light);
        const Vec3 want = transformPoint(view, {0, 0, 15});
        EXPECT_NEAR(light[0], want.x, 1e-4);
        EXPECT_NEAR(light[1], want.y, 1e-4);
        EXPECT_NEAR(light[2], want.z, 1e-4);
        GLfloat fallOff[3];
        glGetLightfv(GL_LIGHT0, GL_CONSTANT_ATTENUATION, &fallOff[0]);
        glGetLightfv(GL_LIGHT0, GL_LINEAR_ATTENUATION, &fallOff[1]);
        glGetLightfv(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, &fallOff[2]);
        EXPECT_EQ(fallOff[0], 1.0f);
        EXPECT_EQ(fallOff[1], 0.0f);
        EXPECT_EQ(fallOff[2], 0.15f);
    }
}
