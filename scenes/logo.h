#pragma once
#include <cstdint>

struct TextureRegistry;

// Brightness of the logo banner, 0 .. 0.7; kept for the whole run.
struct LogoState {
    float level = 0.0f;
};

// The level after one frame at showTimeMs: it fades in just after 4000 ms
// and out just after 15000 ms, by delta per frame.
float logoLevelAfter(float level, int32_t showTimeMs, float delta);

// The level's step inside the banner's window, 4000 .. 18000 ms.
void advanceLogoScene(LogoState& logo, int32_t showTimeMs, float delta);

// The "DUSKWHEEL" banner, subtracted from the picture, 4000 .. 18000 ms;
// the beat's spin direction flips which side of the centre it lifts to.
void drawLogoScene(int32_t showTimeMs, float spinAngle, float lift, float spinDirection, int32_t beatStep,
                   const LogoState& logo, const TextureRegistry* textures);
