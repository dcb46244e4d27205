#pragma once
#include <cstdint>

#include "launcher/aspect_code.h"

// What the launcher (or --play) decides: one plain value that the window,
// the projection and the music take.
struct ShowSettings {
    int32_t width = 0;
    int32_t height = 0;
    int32_t colorBits = 0;
    int32_t aspect = AspectNone;
    int32_t samples = 0;
    bool fullscreen = false;
    bool vsync = false;
    bool music = false;
    int32_t startTime = 0;  // ms into the show where it starts, with its music
};
