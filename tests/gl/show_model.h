#pragma once
#include <cstdint>

struct TextureRegistry;

// What the show's numbers say a frame holds, worked out on the CPU in double:
// matrices as GL builds them, the test window's letterbox, the coded test
// pictures and the band shader's colour.

struct Vec3 {
    double x, y, z;
};

// Column-major, as GL keeps them.
struct Mat4 {
    double m[16];
};
Mat4 operator*(const Mat4& a, const Mat4& b);
Mat4 translation(double x, double y, double z);
Mat4 rotation(double degrees, double x, double y, double z);
Vec3 transformPoint(const Mat4& m, const Vec3& p);

// The GL tests' window (gl_test_context.h) holds a 1280 x 800 picture 43
// pixels from the left.
constexpr int32_t pictureLeft = 43;
constexpr int32_t pictureWidth = 1280;
constexpr int32_t pictureHeight = 800;

// Window position (pixels, x right, y up) of a point in eye space under the
// show's perspective and the letterbox.
struct ScreenPoint {
    double x, y;
};
ScreenPoint toScreen(const Vec3& eye);
bool insidePicture(const ScreenPoint& p, double margin);

// The camera matrix for the orbit phase of the frame (after its advance)
// and the sinceHit it sees: eye, look-at and the roll of phase x 15 degrees.
Mat4 cameraView(double orbitPhase, double sinceHit);
// The phase one composer frame of frameDelta leaves after phase.
float phaseAfter(float phase, float frameDelta);

// Test pictures. Every row of a sheet (the caption tables' rows; the logo,
// the sprite and the band texture are one row each) is cut into quadrants,
// left/right by s and upper/lower by t, and each quadrant of each row of
// each sheet has a colour of its own. Lettering sheets hold dark codes, so
// that subtracting them seldom reaches 0 over the lit bands: every channel is
// 0, 12, 24, 36 or 48, or 30 and 60 in the two lines the walls repeat. The sprite and the band texture are bright: white, or
// one channel at 160. Between rows the pictures are black.
enum Sheet { TextSheet, Greets1Sheet, Greets2Sheet, CreditsSheet, LogoSheet, DotSheet, OverlaySheet, sheetCount };

struct Rgb {
    double r, g, b;
};

// The picture's colour (0..255) at (s, t); false where (s, t) lies within
// `texels` texels of a change of colour, where filtering mixes neighbours.
bool pictureColour(Sheet sheet, double s, double t, double texels, Rgb& colour);
void registerTestPictures(TextureRegistry& registry);

// The band shader's colour (0..255) for band `band` of palette `palette` at
// world (x, y) on the wall, under camera matrix view, with the coded band
// texture; false where the texture lookup is too near a change of colour.
bool bandColour(int palette, int band, double x, double y, const Mat4& view, Rgb& colour);

// The background quad's colour, which is also the bands' fog colour.
constexpr Rgb backgroundRgb{139.0, 135.0, 111.0};
// Where each of the five bands has its centre, in the world's y.
constexpr double bandCentres[5] = {17, 9, 1, -7, -15};
