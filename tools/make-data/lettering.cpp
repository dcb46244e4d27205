#include "tools/make-data/lettering.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// One glyph placed on whole pixels with the sub-pixel rest handed to the
// rasteriser, so measuring and drawing agree to the pixel.
struct PlacedGlyph {
    int codepoint;
    int x;
    float shiftX;
};

template <typename Visit>
void layout(const Font& font, const char* text, const TextStyle& style, Visit visit)
{
    const stbtt_fontinfo* info = font.fontInfo();
    float pen = 0.0f;
    for (const char* c = text; *c; ++c) {
        const int codepoint = static_cast<unsigned char>(*c);
        const int whole = static_cast<int>(std::floor(pen));
        visit(PlacedGlyph{codepoint, whole, pen - static_cast<float>(whole)});
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(info, codepoint, &advance, &bearing);
        pen += static_cast<float>(advance) * style.scaleX + style.tracking;
        if (c[1])
            pen += static_cast<float>(stbtt_GetCodepointKernAdvance(info, codepoint, static_cast<unsigned char>(c[1]))) *
                   style.scaleX;
    }
}

}  // namespace

const stbtt_fontinfo* Font::fontInfo() const
{
    return reinterpret_cast<const stbtt_fontinfo*>(info.data());
}

std::string dejavuFontPath(const char* fileName)
{
    return std::string("/usr/share/fonts/truetype/dejavu/") + fileName;
}

bool loadFont(Font& font, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "make-data: cannot open the font %s (Debian package fonts-dejavu-core)\n", path.c_str());
        return false;
    }
    font.data.clear();
    unsigned char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        font.data.insert(font.data.end(), chunk, chunk + got);
    std::fclose(file);

    font.info.assign(sizeof(stbtt_fontinfo), 0);
    auto* info = reinterpret_cast<stbtt_fontinfo*>(font.info.data());
    const int offset = font.data.empty() ? -1 : stbtt_GetFontOffsetForIndex(font.data.data(), 0);
    if (offset < 0 || !stbtt_InitFont(info, font.data.data(), offset)) {
        std::fprintf(stderr, "make-data: %s is not a TrueType font\n", path.c_str());
        return false;
    }
    int lineGap = 0;
    stbtt_GetFontVMetrics(info, &font.ascent, &font.descent, &lineGap);
    return true;
}

float scaleForLineHeight(const Font& font, float pixels)
{
    return stbtt_ScaleForPixelHeight(font.fontInfo(), pixels);
}

InkBox measureText(const Font& font, const char* text, const TextStyle& style)
{
    InkBox box;
    bool inked = false;
    layout(font, text, style, [&](const PlacedGlyph& glyph) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(font.fontInfo(), glyph.codepoint, style.scaleX, style.scaleY,
                                            glyph.shiftX, 0.0f, &x0, &y0, &x1, &y1);
        if (x1 <= x0 || y1 <= y0)
            return;
        x0 += glyph.x;
        x1 += glyph.x;
        if (!inked) {
            box = InkBox{x0, y0, x1, y1};
            inked = true;
            return;
        }
        box.x0 = std::min(box.x0, x0);
        box.y0 = std::min(box.y0, y0);
        box.x1 = std::max(box.x1, x1);
        box.y1 = std::max(box.y1, y1);
    });
    return box;
}

void drawText(GreyImage& image, const Font& font, const char* text, const TextStyle& style, int x, int baseline)
{
    std::vector<unsigned char> coverage;
    layout(font, text, style, [&](const PlacedGlyph& glyph) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(font.fontInfo(), glyph.codepoint, style.scaleX, style.scaleY,
                                            glyph.shiftX, 0.0f, &x0, &y0, &x1, &y1);
        const int w = x1 - x0;
        const int h = y1 - y0;
        if (w <= 0 || h <= 0)
            return;
        coverage.assign(static_cast<size_t>(w) * h, 0);
        stbtt_MakeCodepointBitmapSubpixel(font.fontInfo(), coverage.data(), w, h, w, style.scaleX, style.scaleY,
                                          glyph.shiftX, 0.0f, glyph.codepoint);
        for (int gy = 0; gy < h; ++gy) {
            const int py = baseline + y0 + gy;
            if (py < 0 || py >= image.height)
                continue;
            for (int gx = 0; gx < w; ++gx) {
                const int px = x + glyph.x + x0 + gx;
                if (px < 0 || px >= image.width)
                    continue;
                uint8_t& level = image.at(px, py);
                level = std::max(level, coverage[static_cast<size_t>(gy) * w + gx]);
            }
        }
    });
}
