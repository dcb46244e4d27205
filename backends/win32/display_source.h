#pragma once

#include "launcher/display_modes.h"

// The modes the display driver lists for the current display, in its order,
// and the desktop's current mode.
const DisplaySource& win32DisplaySource();
