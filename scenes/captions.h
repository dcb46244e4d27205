#pragma once
#include <cstdint>

#include "scenes/caption_rows.h"

struct TextureRegistry;

// Brightness factor of the greetings card, 1 until its fade; kept for the whole run.
struct CaptionState {
    float greetsLevel = 1.0f;
};

// The greetings level after one frame at showTimeMs: it falls by 0.75 x
// delta per frame from 78001 to 80999 ms and stops at 0.
float greetsLevelAfter(float level, int32_t showTimeMs, float delta);

// Each card sits at the depth of the beat step.
// The text card, 20000 .. 32000 ms, row from the bounce counter.
void drawTextCaption(int32_t showTimeMs, int32_t bounceCounter, int32_t beatStep, const TextureRegistry* textures);
// The greetings level's step while its card shows, 62000 .. 81000 ms from
// its first row on.
void advanceGreetingsCaption(CaptionState& captions, int32_t showTimeMs, float delta, int32_t greetsStep);
// The greetings card, 62000 .. 81000 ms, row from the greetings step.
void drawGreetingsCaption(int32_t showTimeMs, int32_t greetsStep, int32_t beatStep, const CaptionState& captions,
                          const TextureRegistry* textures);
// The credits card; the composer calls it only from 82000 ms on.
void drawCreditsCaption(float spinAngle, int32_t creditsStep, int32_t beatStep, const TextureRegistry* textures);
