#include "launcher/player_options.h"

#include <cstdio>
#include <cstdlib>

#include "dusk_version.h"

namespace {

bool parseSize(const std::string& text, int& width, int& height)
{
    unsigned w = 0;
    unsigned h = 0;
    char x = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%5u%c%5u%c", &w, &x, &h, &rest) != 3 || x != 'x' || w == 0 || h == 0)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// Positions of the launcher's aspect list.
int aspectPosition(const std::string& text)
{
    const char* const names[] = {"auto", "4:3", "5:4", "16:9", "16:10"};
    for (int i = 0; i < 5; ++i)
        if (text == names[i])
            return i;
    return -1;
}

}  // namespace

bool parsePlayerOptions(int argc, const char* const* argv, PlayerOptions& options, std::string& error)
{
    options = PlayerOptions();
    bool playOnly = false;  // an option that means nothing without --play
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i] ? argv[i] : "";
        const bool takesValue = name == "--size" || name == "--aspect" || name == "--data" || name == "--from";
        if (takesValue && i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        const std::string value = takesValue ? argv[++i] : "";
        if (name == "--help" || name == "-h") {
            options.action = PlayerOptions::ShowHelp;
            return true;
        } else if (name == "--version") {
            options.action = PlayerOptions::ShowVersion;
            return true;
        } else if (name == "--play") {
            options.action = PlayerOptions::Play;
        } else if (name == "--size") {
            if (!parseSize(value, options.width, options.height)) {
                error = "--size: '" + value + "' is not WIDTHxHEIGHT";
                return false;
            }
            playOnly = true;
        } else if (name == "--aspect") {
            options.aspect = aspectPosition(value);
            if (options.aspect < 0) {
                error = "--aspect: '" + value + "' is not one of auto, 4:3, 5:4, 16:9, 16:10";
                return false;
            }
            playOnly = true;
        } else if (name == "--windowed") {
            options.windowed = playOnly = true;
        } else if (name == "--no-vsync") {
            options.vsync = false;
            playOnly = true;
        } else if (name == "--mute") {
            options.music = false;
            playOnly = true;
        } else if (name == "--from") {
            char* end = nullptr;
            const long ms = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || value[0] == '-' || value[0] == '+' || ms < 0 || ms > 91999) {
                error = "--from: '" + value + "' is not a show time from 0 to 91999 ms";
                return false;
            }
            options.startTime = static_cast<int>(ms);
            playOnly = true;
        } else if (name == "--data") {
            if (value.empty()) {
                error = "--data: the folder name is empty";
                return false;
            }
            options.dataFolder = value;
        } else if (name.empty() || name[0] != '-') {
            options.ignored.push_back(name);
        } else {
            error = "unknown option '" + name + "'";
            return false;
        }
    }
    // The launcher would silently ignore these; say so instead.
    if (playOnly && options.action != PlayerOptions::Play) {
        error = "--size, --windowed, --aspect, --no-vsync, --mute and --from go with --play";
        return false;
    }
    return true;
}

bool playerSettings(const PlayerOptions& options, const LauncherLists& lists, ShowSettings& settings,
                    std::string& error)
{
    LauncherChoices choices = initialLauncherChoices(lists);
    const std::string wanted = std::to_string(options.width) + "x" + std::to_string(options.height);
    bool unlistedWindow = false;
    if (options.width > 0) {
        choices.resolution = -1;
        for (size_t i = 0; i < lists.resolutions.size(); ++i)
            if (lists.resolutions[i] == wanted)
                choices.resolution = static_cast<int>(i);
        // With no modes listed at all the desktop's resolution is the only one.
        if (resolutionCaption(lists, choices) != wanted) {
            if (!options.windowed) {
                error = "--size " + wanted + " is not a display mode of this display";
                return false;
            }
            // A window needs no display mode: any size that fits on the desktop.
            if (options.width < minimumWindowSide || options.height < minimumWindowSide) {
                error = "--size " + wanted + " is smaller than the smallest window, 64x64";
                return false;
            }
            if (!lists.desktopKnown || options.width > static_cast<int>(lists.desktop.width) ||
                options.height > static_cast<int>(lists.desktop.height)) {
                error = "--size " + wanted + " is larger than the desktop";
                return false;
            }
            unlistedWindow = true;
            choices.resolution = lists.resolutions.empty() ? -1 : 0;  // any entry; the size is set below
        }
    }
    if (!canLaunch(lists, choices)) {
        error = "the desktop's resolution is not a display mode here; choose one with --size";
        return false;
    }
    choices.aspect = options.aspect;
    choices.fullscreen = !options.windowed;
    choices.vsync = options.vsync;
    choices.music = options.music;
    if (!applyLauncherChoices(lists, choices, settings)) {
        error = "the launcher's lists do not match the display modes";
        return false;
    }
    if (unlistedWindow) {
        settings.width = options.width;
        settings.height = options.height;
        settings.colorBits = 32;
    }
    settings.startTime = options.startTime;
    return true;
}

const char* playerUsage()
{
    return "usage: duskwheel [--play [--size WxH] [--windowed] [--aspect auto|4:3|5:4|16:9|16:10] [--no-vsync] "
           "[--mute] [--from MS]] [--data DIR] [--help] [--version]\n"
           "  without --play the launcher asks for the settings; --from starts the show MS ms in;\n"
           "  --data reads the show's files from DIR instead of ./Data";
}

const char* playerVersion()
{
    return "duskwheel " DUSK_VERSION_SHORT;
}
