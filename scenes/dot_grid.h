#pragma once
#include <cstdint>

struct TextureRegistry;

// Opacity of the sprites for a spectrum mean m of the first 20 bins; it may
// go negative, which GL clamps to an invisible 0.
float dotGridAlpha(float m);

// The stepScale after one frame of the grid: it shrinks by 0.2 x delta, with
// no lower bound, until the next beat resets it.
float shrunkStepScale(float stepScale, float delta);

// The grid shrinks the beat state's stepScale while it shows, 48000 .. 62000 ms.
void advanceDotGrid(float& stepScale, int32_t showTimeMs, float delta);

// A 10 x 10 grid of "DOT" sprites fixed to the screen, 48000 .. 62000 ms, in
// the colours of the palette two rows on and at the opacity of the spectrum.
void drawDotGrid(int32_t showTimeMs, float spinAngle, const float* spectrum, int32_t beatStep, int32_t paletteIndex,
                 float stepScale, const TextureRegistry* textures);
