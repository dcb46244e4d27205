#pragma once

#include "launcher/launcher_outcome.h"

struct LauncherLists;
struct ShowSettings;

// The settings dialog, filled from the lists. Writes the chosen settings and
// returns 1004 on Launch; returns -1 and leaves the settings untouched on
// Quit, Escape or close. Returns 0, after one line on stderr, when it cannot
// be shown at all.
int runLauncher(const LauncherLists& lists, ShowSettings& settings);
