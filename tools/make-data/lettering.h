#pragma once
#include <string>
#include <vector>

#include "tools/make-data/grey_image.h"

struct stbtt_fontinfo;

// A TrueType font read whole from a file, for the rasteriser.
struct Font {
    std::vector<unsigned char> data;
    std::vector<unsigned char> info;  // stbtt_fontinfo, kept opaque here
    int ascent = 0;                   // font units above the baseline
    int descent = 0;                  // font units below it (negative)

    const stbtt_fontinfo* fontInfo() const;

    // The rasteriser's record points into data: a copy would point into ours.
    Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
};

// Where the DejaVu fonts of Debian's fonts-dejavu-core live.
std::string dejavuFontPath(const char* fileName);

// False, after a line on stderr, when the file is missing or not a font.
bool loadFont(Font& font, const std::string& path);

// Horizontal and vertical pixels per font unit, and extra pixels between letters.
struct TextStyle {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float tracking = 0.0f;
};
// Pixels per font unit that make ascent to descent the given height.
float scaleForLineHeight(const Font& font, float pixels);

// The inked pixels of a line of text set with its pen at (0, 0) on the
// baseline: x from x0 up to x1, y from y0 up to y1, y down. Empty text or
// text without ink gives x0 == x1.
struct InkBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};
InkBox measureText(const Font& font, const char* text, const TextStyle& style);

// Rasterises ASCII text with its pen starting at (x, baseline); each pixel
// keeps the brighter of its level and the glyph coverage. Integer placement
// keeps the ink exactly where measureText put it.
void drawText(GreyImage& image, const Font& font, const char* text, const TextStyle& style, int x, int baseline);
