#pragma once
#include <cstdint>

struct TextureRegistry;

// Scroll and brightness of one wall; each changes only inside its window.
struct TextWallState {
    float scroll;
    float level = 1.0f;  // only the second wall fades
};

// The wall's state after one frame at showTimeMs inside its window.
void advanceFirstWall(TextWallState& wall, float delta);
void advanceSecondWall(TextWallState& wall, int32_t showTimeMs, float delta);

// Brightness of the walls for a spectrum mean m of the first 20 bins.
float firstWallBrightness(float m);
float secondWallBrightness(float m, float level);

// Fifteen rows of one "TEXT" line, scrolling sideways in the camera's world,
// subtracted from the picture: 28000 .. 47000 and 62000 .. 81000 ms. The
// spectrum sets their brightness, the beat step their depth.
void drawTextWallFirst(int32_t showTimeMs, float delta, const float* spectrum, int32_t beatStep, TextWallState& wall,
                       const TextureRegistry* textures);
void drawTextWallSecond(int32_t showTimeMs, float delta, const float* spectrum, int32_t beatStep, TextWallState& wall,
                        const TextureRegistry* textures);
