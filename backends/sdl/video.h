#pragma once

// Starts SDL's video subsystem once per process on a real display. Without a
// display it fails instead of falling back to SDL's offscreen or dummy
// drivers, unless SDL_VIDEODRIVER asks for one.
bool startSdlVideo();

// Null once video runs; else why it cannot, as the words that follow
// "cannot open the display" in the one-line error.
const char* sdlVideoUnreachable();
