#pragma once
#include <cstdint>

#include "frame/beat_state.h"
#include "frame/camera.h"
#include "frame/screen_fades.h"
#include "scenes/captions.h"
#include "scenes/logo.h"
#include "scenes/text_walls.h"

// Everything the show carries from one tick to the next, and what a frame
// draws: plain values, no GL, so it can be copied, advanced without a
// context and carried to any show time.
struct ShowState {
    BeatState beat;
    Camera camera;
    float cameraSinceHit = 1.0f;  // the hit the camera saw: the previous tick's
    LogoState logo;
    CaptionState captions;
    TextWallState firstWall{8.0f};
    TextWallState secondWall{3.0f};
    int32_t fadeDone[fadeCount] = {0, 0};  // see planScreenFades
    FadeStep fades[fadeCount];             // what the final pass draws
    int32_t time = 0;                      // show time of the last tick, or of the frame drawn
    int64_t nextTick = 0;                  // the first tick not yet run
};
