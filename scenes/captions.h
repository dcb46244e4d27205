#pragma once
#include <cstdint>

// One line of a lettering sheet, in texture t (0 = first image row).
struct SheetRow {
    float top;
    float bottom;
};

constexpr int textRowCount = 8;
constexpr int greetRowCount = 16;  // rows 0..7 on "GREETS1", 8..15 on "GREETS2"
constexpr int creditRowCount = 4;
extern const SheetRow textRowTable[textRowCount];
extern const SheetRow greetRowTable[greetRowCount];
extern const SheetRow creditRowTable[creditRowCount];

// Brightness factor of the greetings card, 1 until its fade; kept for the whole run.
struct CaptionState {
    float greetsLevel = 1.0f;
};

extern CaptionState gCaptions;

// The greetings level after one frame at showTimeMs: it falls by 0.75 x
// delta per frame from 78001 to 80999 ms and stops at 0.
float greetsLevelAfter(float level, int32_t showTimeMs, float delta);

// The text card, 20000 .. 32000 ms, row from the bounce counter.
void drawTextCaption(int32_t showTimeMs);
// The greetings card, 62000 .. 81000 ms, row from the greetings step.
void drawGreetingsCaption(int32_t showTimeMs, float delta);
// The credits card; the composer calls it only from 82000 ms on.
void drawCreditsCaption(float spinAngle);
