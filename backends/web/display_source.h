#pragma once
#include "launcher/display_modes.h"

// The page's canvas as the one display mode.
const DisplaySource& webDisplaySource();
