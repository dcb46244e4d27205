#include "program/player.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "assets/data_file.h"
#include "assets/show_assets.h"
#include "launcher/player_options.h"
#include "music/show_music.h"
#include "program/launcher.h"
#include "run/demo_context.h"
#include "program/live_steps.h"

namespace {

int wrongOptions(const std::string& error)
{
    std::fprintf(stderr, "duskwheel: %s\n%s\n", error.c_str(), playerUsage());
    return 2;
}

}  // namespace

int runPlayer(int argc, const char* const* argv, DemoContext& context, const DisplaySource& displays,
              void (*say)(const char* text), const std::string& installedData)
{
    PlayerOptions options;
    std::string error;
    if (!parsePlayerOptions(argc, argv, options, error))
        return wrongOptions(error);
    for (const std::string& word : options.ignored)
        std::fprintf(stderr, "duskwheel: ignoring \"%s\" on the command line\n", word.c_str());
    if (options.action == PlayerOptions::ShowHelp || options.action == PlayerOptions::ShowVersion) {
        say(options.action == PlayerOptions::ShowHelp ? playerUsage() : playerVersion());
        return 0;
    }
    std::error_code unused;
    if (options.dataFolder.empty() && !std::filesystem::is_directory("Data", unused) && !installedData.empty() &&
        std::filesystem::is_directory(installedData, unused))
        options.dataFolder = installedData;  // the working directory's Data still wins
    setDataFolder(options.dataFolder);
    // Decoded while the launcher is open, music and pictures cost the show no time.
    prefetchShowMusic(context.music.sound);
    prefetchShowPictures(context.pictures);

    LiveShow show;
    ShowSteps steps = liveShowSteps(context, show);
    if (options.action != PlayerOptions::Play) {
        // The dialog is filled from the display modes read now, before it opens.
        const LauncherLists lists = makeLauncherLists(displays);
        steps.runLauncher = [lists](ShowSettings& settings) { return runLauncher(lists, settings); };
    } else {
        // --play reads the display's modes before any window: without a
        // display that is the failure to name, not the options.
        if (const char* why = displays.unreachable ? displays.unreachable() : nullptr) {
            std::fprintf(stderr, "duskwheel: cannot open the display %s\n", why);
            return 1;
        }
        const LauncherLists lists = makeLauncherLists(displays);
        ShowSettings settings;
        if (!playerSettings(options, lists, settings, error))
            return wrongOptions(error);
        steps.runLauncher = [settings](ShowSettings& chosen) {
            chosen = settings;
            return launcherLaunched;
        };
    }
    return runShow(context, steps);
}
