#pragma once

// Starts SDL's video subsystem once per process on a real display. Without a
// display it fails instead of falling back to SDL's offscreen or dummy
// drivers, unless SDL_VIDEODRIVER asks for one.
bool startSdlVideo();

// Why the last start failed, for the one-line error.
const char* sdlVideoFailure();
