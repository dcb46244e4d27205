#pragma once
#include <cstdint>

// Scroll and brightness of one wall; each changes only inside its window.
struct TextWallState {
    float scroll;
    float level = 1.0f;  // only the second wall fades
};

extern TextWallState gFirstWall;   // scroll starts at 8
extern TextWallState gSecondWall;  // scroll starts at 3

// The wall's state after one frame at showTimeMs inside its window.
void advanceFirstWall(TextWallState& wall, float delta);
void advanceSecondWall(TextWallState& wall, int32_t showTimeMs, float delta);

// Brightness of the walls for a spectrum mean m of the first 20 bins.
float firstWallBrightness(float m);
float secondWallBrightness(float m, float level);

// Fifteen rows of one "TEXT" line, scrolling sideways in the camera's world,
// subtracted from the picture: 28000 .. 47000 and 62000 .. 81000 ms.
void drawTextWallFirst(int32_t showTimeMs, float delta);
void drawTextWallSecond(int32_t showTimeMs, float delta);
