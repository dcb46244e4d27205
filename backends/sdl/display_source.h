#pragma once

#include "launcher/display_modes.h"

// The display modes and desktop mode of SDL's first display.
const DisplaySource& sdlDisplaySource();
