#pragma once
#include <cstdint>

struct ShaderRegistry;
struct TextureRegistry;

constexpr int bandCount = 5;
constexpr int paletteCount = 5;

struct PaletteColour {
    double r, g, b;  // 0..1
};

// Five palettes of five colours, one colour per band; the beat picks the row.
extern const PaletteColour bandPalettes[paletteCount][bandCount];

// Centre height of each band, top band first; they close into one wall.
extern const double bandOffsets[bandCount];

// One lit, fogged, textured band of the background wall. The composer sets
// its material first. bandAngles holds one angle per band (degrees), the
// background colour (RGBA) is also the fog's. Leaves program 0, texturing and
// lighting off, depth test and culling on and the camera matrix current.
void drawBand(float angle, double x, double y, int32_t band, const float* bandAngles, const float* backgroundColour,
              const TextureRegistry* textures, const ShaderRegistry* shaders);
