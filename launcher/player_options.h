#pragma once
#include <string>
#include <vector>

#include "launcher/launcher_model.h"

// The smallest window --play --windowed --size opens.
constexpr int minimumWindowSide = 64;

// The player's command line. Without --play the launcher asks as usual;
// with it the choices below go through the launcher model exactly as the
// dialog's would, so the two cannot disagree.
struct PlayerOptions {
    enum Action { RunLauncher, Play, ShowHelp, ShowVersion };
    Action action = RunLauncher;
    int width = 0;  // 0: the desktop's resolution
    int height = 0;
    bool windowed = false;
    int aspect = 0;  // position in the launcher's list: 0 is Auto
    bool vsync = true;
    bool music = true;
    int startTime = 0;  // --from: ms into the show
    std::string dataFolder;  // empty: Data in the working directory
    // Words that are no option, such as a file dropped onto the program or a
    // path a start-up tool appends: said and passed over, not refused.
    std::vector<std::string> ignored;
};

// False, with one line in error, for an option it cannot use.
bool parsePlayerOptions(int argc, const char* const* argv, PlayerOptions& options, std::string& error);

// The settings for --play, through the launcher model: false, with one line
// in error, when fullscreen asks for a size that is no listed resolution, or
// a window for one smaller than 64x64 or larger than the desktop.
bool playerSettings(const PlayerOptions& options, const LauncherLists& lists, ShowSettings& settings,
                    std::string& error);

const char* playerUsage();
const char* playerVersion();
