#pragma once
#include <cstdint>

#include "frame/beat_state.h"
#include "frame/camera.h"
#include "frame/screen_fades.h"
#include "scenes/captions.h"
#include "scenes/logo.h"
#include "scenes/text_walls.h"

// Everything the show carries from one frame to the next. The composer holds
// one for the whole run and hands each scene only its own part.
struct ShowState {
    BeatState beat;
    Camera camera;
    LogoState logo;
    CaptionState captions;
    TextWallState firstWall{8.0f};
    TextWallState secondWall{3.0f};
    int32_t fadeDone[fadeCount] = {0, 0};  // see planScreenFades
};
