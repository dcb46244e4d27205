#include "tools/make-data/default_images.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tools/make-data/default_data.h"
#include "tools/make-data/lettering.h"
#include "tools/make-data/pcx_writer.h"
#include "tools/make-data/sheet_rows.h"

namespace {

struct Fonts {
    Font sans;
    Font serif;
    Font condensed;
};

// Lines of lettering, each in its own band of its sheet.
const char* const textLines[8] = {
    "duskwheel",  // tiled by the second wall: kept short
    "spin on",    // tiled tighter by the first wall: shorter still
    "the sun goes down",
    "and the wheel keeps turning",
    "every spoke a beam of light",
    "every beat a new colour",
    "ride it into the dark",
    "until the last light fades",
};

// Sixteen groups made up for this show.
const char* const greetLines[16] = {
    "Lanternfold",   "Brass Heron",   "Quiet Meridian", "Salt and Cinder", "Nightloom",    "Pale Orrery",
    "Tidewright",    "Moth Circuit",  "Glasshollow",    "Amber Relay",     "Dustlane",     "Frostmarrow",
    "Umber Wren",    "Sable Gearbox", "Velvet Cogwork", "Kiln and Comet",
};

const char* const creditLines[4] = {
    "code  the duskwheel crew",
    "music  synthesised by make-data",
    "pictures  drawn by make-data",
    "thanks for watching",
};

// The lettering fills this much of its band's height from the font's
// ascent to its descent, which leaves room above and below for the filtered
// and mipmapped edges of the card.
constexpr float bandFill = 0.72f;
// Lines leave this much of the sheet's width free at each side.
constexpr float sideMargin = 24.0f;

void letterLine(GreyImage& sheet, const Font& font, const char* text, const SheetRow& band, float widthFraction)
{
    const float top = band.top * static_cast<float>(sheet.height);
    const float bottom = band.bottom * static_cast<float>(sheet.height);
    const float bandHeight = bottom - top;
    float scale = scaleForLineHeight(font, bandFill * bandHeight);
    const float maxWidth = std::min(widthFraction * static_cast<float>(sheet.width),
                                    static_cast<float>(sheet.width) - 2.0f * sideMargin);
    InkBox ink = measureText(font, text, TextStyle{scale, scale, 0.0f});
    if (static_cast<float>(ink.x1 - ink.x0) > maxWidth) {
        scale *= maxWidth / static_cast<float>(ink.x1 - ink.x0 + 1);
        ink = measureText(font, text, TextStyle{scale, scale, 0.0f});
    }
    // The same baseline for every line of the band's height, whatever its letters.
    const float lineHeight = static_cast<float>(font.ascent - font.descent) * scale;
    const int baseline =
        static_cast<int>(std::lround(top + 0.5f * (bandHeight - lineHeight) + static_cast<float>(font.ascent) * scale));
    const int x = static_cast<int>(std::lround(0.5f * static_cast<float>(sheet.width) - 0.5f * (ink.x0 + ink.x1)));
    drawText(sheet, font, text, TextStyle{scale, scale, 0.0f}, x, baseline);
}

GreyImage drawSheet(int32_t width, int32_t height, const Font& font, const char* const* lines,
                    const SheetRow* bands, int count, float widthFraction)
{
    GreyImage sheet(width, height);
    for (int i = 0; i < count; ++i)
        letterLine(sheet, font, lines[i], bands[i], widthFraction);
    return sheet;
}

GreyImage drawLogo(const Fonts& fonts)
{
    GreyImage logo(1024, 128);
    const char* word = "duskwheel";
    const float inkWidth = 1000.0f;
    const float inkHeight = 112.0f;
    // The word is stretched on its own to fill the strip edge to edge; two
    // passes settle the rounding of the ink box.
    TextStyle style;
    style.scaleX = style.scaleY = scaleForLineHeight(fonts.sans, inkHeight);
    for (int pass = 0; pass < 2; ++pass) {
        const InkBox ink = measureText(fonts.sans, word, style);
        style.scaleX *= inkWidth / static_cast<float>(ink.x1 - ink.x0);
        style.scaleY *= inkHeight / static_cast<float>(ink.y1 - ink.y0);
    }
    const InkBox ink = measureText(fonts.sans, word, style);
    drawText(logo, fonts.sans, word, style, (logo.width - ink.x0 - ink.x1) / 2, (logo.height - ink.y0 - ink.y1) / 2);
    // Brightest along the top edge: drawn subtractively, the logo is darkest there.
    for (int32_t y = 0; y < logo.height; ++y) {
        const float shade = 1.0f - 0.3f * static_cast<float>(y) / static_cast<float>(logo.height - 1);
        for (int32_t x = 0; x < logo.width; ++x)
            logo.at(x, y) = static_cast<uint8_t>(std::lround(static_cast<float>(logo.at(x, y)) * shade));
    }
    return logo;
}

// A fixed generator, so that every run writes the same bytes.
struct Noise {
    uint32_t state;
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 4294967296.0;
    }
};

// Box blur along a ring of values, so the result still wraps around.
void blurRing(std::vector<double>& values, size_t offset, size_t stride, int count, int radius)
{
    std::vector<double> copy(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        copy[i] = values[offset + static_cast<size_t>(i) * stride];
    for (int i = 0; i < count; ++i) {
        double sum = 0.0;
        for (int k = -radius; k <= radius; ++k)
            sum += copy[static_cast<size_t>((i + k + count) % count)];
        values[offset + static_cast<size_t>(i) * stride] = sum / (2 * radius + 1);
    }
}

void normalise(std::vector<double>& values)
{
    double mean = 0.0;
    for (double v : values)
        mean += v;
    mean /= static_cast<double>(values.size());
    double spread = 0.0;
    for (double v : values)
        spread += (v - mean) * (v - mean);
    spread = std::sqrt(spread / static_cast<double>(values.size()));
    for (double& v : values)
        v = spread > 0.0 ? (v - mean) / spread : 0.0;
}

// Brushed metal: long horizontal streaks over bands of rows and a fine grain,
// mid-to-high grey. Every blur wraps around, so the picture tiles.
GreyImage drawOverlay()
{
    const int size = 512;
    Noise noise{0x2545F491u};
    std::vector<double> streaks(static_cast<size_t>(size) * size);
    for (double& v : streaks)
        v = noise.next();
    for (int y = 0; y < size; ++y)
        for (int pass = 0; pass < 3; ++pass)
            blurRing(streaks, static_cast<size_t>(y) * size, 1, size, 24);
    for (int x = 0; x < size; ++x)
        blurRing(streaks, static_cast<size_t>(x), size, size, 1);
    normalise(streaks);

    std::vector<double> rows(static_cast<size_t>(size));
    for (double& v : rows)
        v = noise.next();
    for (int pass = 0; pass < 2; ++pass)
        blurRing(rows, 0, 1, size, 4);
    normalise(rows);

    GreyImage overlay(size, size);
    for (int y = 0; y < size; ++y) {
        // A faint line every fourth row, the trace of the brush.
        const double line = (y % 4 == 0) ? 10.0 : 0.0;
        for (int x = 0; x < size; ++x) {
            const double grain = (noise.next() - 0.5) * 14.0;
            const double level =
                178.0 + 22.0 * streaks[static_cast<size_t>(y) * size + x] + 12.0 * rows[y] + line + grain;
            overlay.at(x, y) = static_cast<uint8_t>(std::lround(std::clamp(level, 112.0, 250.0)));
        }
    }
    return overlay;
}

// A soft round sprite: full brightness in the middle, a cosine fall-off to
// black at the rim and black beyond it, so the repeat wrap never shows.
GreyImage drawDot()
{
    const int size = 256;
    const double centre = 0.5 * (size - 1);
    const double radius = 0.5 * size - 2.0;
    const double pi = 3.14159265358979323846;
    GreyImage dot(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x - centre, y - centre) / radius;
            const double level = r < 1.0 ? 255.0 * (0.5 + 0.5 * std::cos(pi * r)) : 0.0;
            dot.at(x, y) = static_cast<uint8_t>(std::lround(level));
        }
    return dot;
}

GreyImage drawPicture(const ShowImage& show, const Fonts& fonts)
{
    const std::string name = show.texture;
    if (name == "OVERLAY")
        return drawOverlay();
    if (name == "DUSKWHEEL")
        return drawLogo(fonts);
    if (name == "DOT")
        return drawDot();
    if (name == "TEXT") {
        // The text card sits close to the camera: a line wider than about 70 %
        // of the sheet runs off the sides of the picture.
        const float cardFraction = 0.7f;
        GreyImage sheet(show.width, show.height);
        for (int i = 0; i < 8; ++i)
            letterLine(sheet, fonts.sans, textLines[i], textRowTable[i],
                       i < 2 ? wallTileFraction[i] - 0.06f : cardFraction);
        return sheet;
    }
    if (name == "GREETS1")
        return drawSheet(show.width, show.height, fonts.serif, greetLines, greetRowTable, 8, 1.0f);
    if (name == "GREETS2")
        return drawSheet(show.width, show.height, fonts.serif, greetLines + 8, greetRowTable + 8, 8, 1.0f);
    // The credits card sits off centre and spins, so its corners leave the
    // picture; narrower lines keep the words inside.
    if (name == "CREDITS")
        return drawSheet(show.width, show.height, fonts.condensed, creditLines, creditRowTable, 4, 0.65f);
    return GreyImage(show.width, show.height);
}

}  // namespace

bool drawDefaultImages(std::vector<DefaultImage>& images)
{
    Fonts fonts;
    if (!loadFont(fonts.sans, dejavuFontPath("DejaVuSans-Bold.ttf")) ||
        !loadFont(fonts.serif, dejavuFontPath("DejaVuSerif-Bold.ttf")) ||
        !loadFont(fonts.condensed, dejavuFontPath("DejaVuSansCondensed-Bold.ttf")))
        return false;
    images.clear();
    for (const ShowImage& show : showImages)
        images.push_back(DefaultImage{&show, drawPicture(show, fonts)});
    return true;
}

std::string dataFileName(const ShowImage& show)
{
    const char* slash = std::strrchr(show.file, '\\');
    return slash ? slash + 1 : show.file;
}

bool writeDefaultImages(const std::string& dataDir)
{
    std::vector<DefaultImage> images;
    if (!drawDefaultImages(images))
        return false;
    for (const DefaultImage& image : images) {
        const std::string path = dataDir + "/" + dataFileName(*image.show);
        const std::vector<unsigned char> bytes = encodePcx(image.picture);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const bool written = file && !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = file && std::fclose(file) == 0;
        if (!written || !closed) {
            std::fprintf(stderr, "make-data: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            return false;
        }
        std::printf("make-data: %-20s %4d x %-4d %8zu bytes  (%s)\n", path.c_str(), image.picture.width,
                    image.picture.height, bytes.size(), image.show->texture);
        std::fflush(stdout);
    }
    return true;
}
