#pragma once

// What the settings launcher ended with, as runLauncher returns it.
constexpr int launcherLaunched = 1004;
constexpr int launcherLeft = -1;
// The launcher could not be shown at all (no display); it has said why.
constexpr int launcherUnavailable = 0;
