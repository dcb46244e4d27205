#include "tests/gl/show_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/texture_registry.h"
#include "frame/bands.h"
#include "scenes/caption_rows.h"

namespace {

constexpr double pi = 3.14159265358979323846;

Vec3 minus(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

double dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 normalised(const Vec3& v)
{
    const double length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Mat4 fromRows(const double rows[4][4])
{
    Mat4 result{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            result.m[c * 4 + r] = rows[r][c];
    return result;
}

Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up)
{
    const Vec3 f = normalised(minus(centre, eye));
    const Vec3 s = normalised(cross(f, up));
    const Vec3 u = cross(s, f);
    const double rows[4][4] = {{s.x, s.y, s.z, 0}, {u.x, u.y, u.z, 0}, {-f.x, -f.y, -f.z, 0}, {0, 0, 0, 1}};
    return fromRows(rows) * translation(-eye.x, -eye.y, -eye.z);
}

// The show's projection: 93.1 degrees, the picture's 1280 / 800, near 0.01 and
// far 10000, each a float widened to double.
Mat4 projection()
{
    const double f = 1.0 / std::tan(static_cast<double>(93.1f) * pi / 360.0);
    const double aspect = static_cast<double>(static_cast<float>(pictureWidth) / static_cast<float>(pictureHeight));
    const double n = static_cast<double>(0.01f);
    const double z = 10000.0;
    const double rows[4][4] = {
        {f / aspect, 0, 0, 0}, {0, f, 0, 0}, {0, 0, (z + n) / (n - z), 2 * z * n / (n - z)}, {0, 0, -1, 0}};
    return fromRows(rows);
}

// Each sheet's size and rows; the one-row pictures are a single row over all of t.
struct Layout {
    int width, height;
    const SheetRow* rows;
    int rowCount;
    int firstCode;  // code numbers of the sheet's quadrants start after this
};
const SheetRow wholePicture[1] = {{0.0f, 1.0f}};
const Layout layouts[sheetCount] = {
    {64, 512, textRowTable, 8, 0},       {64, 512, greetRowTable, 8, 32},    {64, 512, greetRowTable + 8, 8, 64},
    {64, 256, creditRowTable, 4, 96},    {64, 16, wholePicture, 1, 112},     {32, 32, wholePicture, 1, 116},
    {64, 64, wholePicture, 1, 120},
};

// Colour of texel (i, j), j counted from t = 0; i and j wrap as GL_REPEAT does.
Rgb texelColour(Sheet sheet, int i, int j)
{
    const Layout& layout = layouts[sheet];
    i = ((i % layout.width) + layout.width) % layout.width;
    j = ((j % layout.height) + layout.height) % layout.height;
    const double s = (i + 0.5) / layout.width;
    const double t = (j + 0.5) / layout.height;
    for (int row = 0; row < layout.rowCount; ++row) {
        const SheetRow& r = layout.rows[row];
        if (t < r.top || t >= r.bottom)
            continue;
        const int quadrant = (s >= 0.5 ? 1 : 0) + (t >= 0.5 * (r.top + r.bottom) ? 2 : 0);
        if (sheet == DotSheet || sheet == OverlaySheet) {
            Rgb bright{255, 255, 255};
            double* channel[3] = {&bright.r, &bright.g, &bright.b};
            if (quadrant > 0)
                *channel[quadrant - 1] = 160;
            return bright;
        }
        // The walls' lines get the strongest codes: the second wall subtracts
        // at most an eighth of them, and its halves must still tell apart.
        const Rgb wallLines[2][4] = {{{60, 0, 0}, {0, 60, 0}, {0, 0, 60}, {60, 60, 60}},
                                     {{60, 60, 0}, {0, 60, 60}, {60, 0, 60}, {30, 30, 30}}};
        if (sheet == TextSheet && row < 2)
            return wallLines[row][quadrant];
        const int code = layout.firstCode + 4 * row + quadrant + 1;
        return Rgb{12.0 * (code % 5), 12.0 * (code / 5 % 5), 12.0 * (code / 25)};
    }
    return Rgb{0, 0, 0};
}

bool sameRgb(const Rgb& a, const Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

}  // namespace

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 result{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                result.m[c * 4 + r] += a.m[k * 4 + r] * b.m[c * 4 + k];
    return result;
}

Mat4 translation(double x, double y, double z)
{
    const double rows[4][4] = {{1, 0, 0, x}, {0, 1, 0, y}, {0, 0, 1, z}, {0, 0, 0, 1}};
    return fromRows(rows);
}

Mat4 rotation(double degrees, double x, double y, double z)
{
    const Vec3 a = normalised({x, y, z});
    const double c = std::cos(degrees * pi / 180.0);
    const double s = std::sin(degrees * pi / 180.0);
    const double k = 1.0 - c;
    const double rows[4][4] = {{a.x * a.x * k + c, a.x * a.y * k - a.z * s, a.x * a.z * k + a.y * s, 0},
                               {a.y * a.x * k + a.z * s, a.y * a.y * k + c, a.y * a.z * k - a.x * s, 0},
                               {a.x * a.z * k - a.y * s, a.y * a.z * k + a.x * s, a.z * a.z * k + c, 0},
                               {0, 0, 0, 1}};
    return fromRows(rows);
}

Vec3 transformPoint(const Mat4& m, const Vec3& p)
{
    return {m.m[0] * p.x + m.m[4] * p.y + m.m[8] * p.z + m.m[12],
            m.m[1] * p.x + m.m[5] * p.y + m.m[9] * p.z + m.m[13],
            m.m[2] * p.x + m.m[6] * p.y + m.m[10] * p.z + m.m[14]};
}

ScreenPoint toScreen(const Vec3& eye)
{
    static const Mat4 p = projection();
    const Vec3 clip = transformPoint(p, eye);
    const double w = -eye.z;
    return {pictureLeft + (clip.x / w + 1.0) * 0.5 * pictureWidth, (clip.y / w + 1.0) * 0.5 * pictureHeight};
}

bool insidePicture(const ScreenPoint& p, double margin)
{
    return p.x >= pictureLeft + margin && p.x <= pictureLeft + pictureWidth - margin && p.y >= margin &&
           p.y <= pictureHeight - margin;
}

Mat4 cameraView(double orbitPhase, double sinceHit)
{
    const double h = 1.0 - sinceHit;
    const Vec3 eye{static_cast<float>(static_cast<float>(std::sin(orbitPhase)) * 0.5 * h),
                   static_cast<float>(std::sin(1.2 * orbitPhase) * 0.35 * h),
                   static_cast<float>(std::cos(h * orbitPhase) * 1.25 + 5.0)};
    const float roll = static_cast<float>(orbitPhase) * 15.0f;
    return rotation(roll, 0, 0, -1) * lookAt(eye, {0, 0, 0}, {0, 1, 0});
}

float phaseAfter(float phase, float frameDelta)
{
    return phase + static_cast<float>(frameDelta * 0.125);
}

bool pictureColour(Sheet sheet, double s, double t, double texels, Rgb& colour)
{
    const Layout& layout = layouts[sheet];
    auto at = [&](double ds, double dt) {
        return texelColour(sheet, static_cast<int>(std::floor((s + ds) * layout.width)),
                           static_cast<int>(std::floor((t + dt) * layout.height)));
    };
    colour = at(0, 0);
    const double ds = texels / layout.width;
    const double dt = texels / layout.height;
    for (double x : {-ds, ds})
        for (double y : {-dt, 0.0, dt})
            if (!sameRgb(at(x, y), colour) || !sameRgb(at(0, y), colour))
                return false;
    return true;
}

void registerTestPictures(TextureRegistry& registry)
{
    const char* names[sheetCount] = {"TEXT", "GREETS1", "GREETS2", "CREDITS", "DUSKWHEEL", "DOT", "OVERLAY"};
    for (int sheet = 0; sheet < sheetCount; ++sheet) {
        const Layout& layout = layouts[sheet];
        std::vector<unsigned char> rgba;
        for (int j = 0; j < layout.height; ++j)
            for (int i = 0; i < layout.width; ++i) {
                const Rgb c = texelColour(static_cast<Sheet>(sheet), i, j);
                rgba.insert(rgba.end(), {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                                         static_cast<unsigned char>(c.b), 255});
            }
        registry.create(names[sheet], layout.width, layout.height, rgba.data());
    }
}

bool bandColour(int palette, int band, double x, double y, const Mat4& view, Rgb& colour)
{
    const double offset = bandCentres[band];
    Rgb texel;
    if (!pictureColour(OverlaySheet, (x + 35.0) / 70.0, (y - offset + 4.0) / 8.0, 1.0, texel))
        return false;
    // The light stays at (0, 0, 15) in the world: only the distances to it
    // matter, and the shader interpolates the vertices' distances, which
    // here vary with y alone.
    auto worldDistance = [](double vy) { return std::sqrt(35.0 * 35.0 + vy * vy + 18.75 * 18.75); };
    const double below = worldDistance(offset - 4.0);
    const double above = worldDistance(offset + 4.0);
    const double dist = below + (above - below) * (y - offset + 4.0) / 8.0;
    const Vec3 point = transformPoint(view, {x, y, -3.75});
    const Vec3 light = transformPoint(view, {0, 0, 15});
    const Vec3 origin = transformPoint(view, {0, 0, 0});
    const Vec3 normal = normalised(minus(transformPoint(view, {0, 0, 1}), origin));
    const Vec3 toLight = minus(light, point);
    const double nDotL = std::max(dot(normal, normalised(toLight)), 0.0);
    const double att = 1.0 / (1.0 + 0.15 * dist * dist);
    const double nDotH = std::max(dot(normal, normalised(minus(toLight, point))), 0.0);
    const double fog = std::clamp(std::exp(-std::pow(std::fabs(point.z * 0.04), 2.0)), 0.0, 1.0);

    const PaletteColour& p = bandPalettes[palette][band];
    const double paletteRgb[3] = {p.r, p.g, p.b};
    const double diffuseScale[3] = {1.2, 1.2, 1.21};
    const double texelRgb[3] = {texel.r / 255, texel.g / 255, texel.b / 255};
    const double backgroundChannel[3] = {backgroundRgb.r, backgroundRgb.g, backgroundRgb.b};
    double out[3];
    for (int c = 0; c < 3; ++c) {
        const double diffuse = static_cast<float>(diffuseScale[c] * paletteRgb[c]);
        const double ambient = static_cast<float>(0.75 * diffuse);
        const double specular = c < 2 ? static_cast<float>(1.1 * diffuse) : 1.0;
        double lit = ambient * 0.4 * texelRgb[c];
        if (nDotL > 0.0)
            lit += att * diffuse * 0.75 * nDotL + att * specular * 0.9 * std::pow(nDotH, 8.0);
        out[c] = std::clamp((1.0 - fog) * backgroundChannel[c] + fog * 255.0 * lit, 0.0, 255.0);
    }
    colour = {out[0], out[1], out[2]};
    return true;
}
