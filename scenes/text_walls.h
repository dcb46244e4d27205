#pragma once
#include <cstdint>

struct TextureRegistry;

// Scroll and brightness of one wall; each changes only inside its window.
struct TextWallState {
    float scroll;
    float level = 1.0f;  // only the second wall fades
};

// The wall's state after one step at showTimeMs inside its window.
void advanceFirstWall(TextWallState& wall, float delta);
void advanceSecondWall(TextWallState& wall, int32_t showTimeMs, float delta);
// The same, at any show time: each wall moves only inside its own window.
void advanceTextWallFirst(TextWallState& wall, int32_t showTimeMs, float delta);
void advanceTextWallSecond(TextWallState& wall, int32_t showTimeMs, float delta);

// Brightness of the walls for a spectrum mean m of the first 20 bins.
float firstWallBrightness(float m);
float secondWallBrightness(float m, float level);

// Fifteen rows of one "TEXT" line, scrolling sideways in the camera's world,
// subtracted from the picture: 28000 .. 47000 and 62000 .. 81000 ms. The
// spectrum sets their brightness, the beat step their depth.
void drawTextWallFirst(int32_t showTimeMs, const float* spectrum, int32_t beatStep, const TextWallState& wall,
                       const TextureRegistry* textures);
void drawTextWallSecond(int32_t showTimeMs, const float* spectrum, int32_t beatStep, const TextWallState& wall,
                        const TextureRegistry* textures);
