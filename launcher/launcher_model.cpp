#include "launcher/launcher_model.h"

#include <cstdio>


namespace {

std::string formatted(const char* format, int a, int b = 0)
{
    char text[32];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string resolutionText(const DisplayMode& mode)
{
    return formatted("%dx%d", static_cast<int>(mode.width), static_cast<int>(mode.height));
}

bool validPosition(int position, size_t count)
{
    return position >= 0 && static_cast<size_t>(position) < count;
}

}  // namespace

LauncherLists makeLauncherLists(const DisplaySource& displays, int32_t maxSamples)
{
    LauncherLists lists;
    enumerateDisplayModes(displays, lists.displayModes);
    lists.desktopAspect = detectDesktopAspect(displays);
    for (const DisplayMode& mode : lists.displayModes)
        lists.resolutions.push_back(resolutionText(mode));

    lists.desktopKnown = displays.desktopMode && displays.desktopMode(lists.desktop);
    if (lists.desktopKnown) {
        for (size_t i = 0; i < lists.displayModes.size(); ++i) {
            const DisplayMode& mode = lists.displayModes[i];
            if (mode.width == lists.desktop.width && mode.height == lists.desktop.height) {
                lists.desktopEntry = static_cast<int>(i);
                break;
            }
        }
    }

    // The positions double as the aspect codes: 16:9 before 16:10.
    lists.aspects = {"Auto", "4:3", "5:4", "16:9", "16:10"};

    lists.multisampling.push_back("None");
    lists.sampleCounts.push_back(0);
    // Doubling stops before it could overflow, whatever the maximum.
    for (int32_t n = 2; n <= maxSamples; n *= 2) {
        lists.multisampling.push_back(formatted("%dx", n));
        lists.sampleCounts.push_back(n);
        if (n > INT32_MAX / 2)
            break;
    }
    return lists;
}

LauncherChoices initialLauncherChoices(const LauncherLists& lists)
{
    LauncherChoices choices;
    choices.resolution = lists.desktopEntry;
    return choices;
}

bool canLaunch(const LauncherLists& lists, const LauncherChoices& choices)
{
    if (lists.resolutions.empty())
        return lists.desktopKnown && lists.desktop.width > 0 && lists.desktop.height > 0;
    return validPosition(choices.resolution, lists.resolutions.size());
}

std::string resolutionCaption(const LauncherLists& lists, const LauncherChoices& choices)
{
    if (validPosition(choices.resolution, lists.resolutions.size()))
        return lists.resolutions[static_cast<size_t>(choices.resolution)];
    if (lists.resolutions.empty() && canLaunch(lists, choices))
        return resolutionText(lists.desktop);
    return std::string();
}

bool applyLauncherChoices(const LauncherLists& lists, const LauncherChoices& choices, ShowSettings& settings)
{
    if (!canLaunch(lists, choices) || lists.resolutions.size() != lists.displayModes.size())
        return false;

    if (lists.resolutions.empty()) {
        settings.width = static_cast<int32_t>(lists.desktop.width);
        settings.height = static_cast<int32_t>(lists.desktop.height);
        settings.colorBits = 32;  // the only depth the show runs at
    } else {
        const DisplayMode& mode = lists.displayModes[static_cast<size_t>(choices.resolution)];
        settings.width = static_cast<int32_t>(mode.width);
        settings.height = static_cast<int32_t>(mode.height);
        settings.colorBits = static_cast<int32_t>(mode.bitsPerPixel);
    }

    if (choices.aspect == 0)
        settings.aspect = lists.desktopAspect;
    else if (validPosition(choices.aspect, lists.aspects.size()))
        settings.aspect = choices.aspect;

    settings.samples = validPosition(choices.multisampling, lists.sampleCounts.size())
                           ? lists.sampleCounts[static_cast<size_t>(choices.multisampling)]
                           : 0;

    settings.fullscreen = choices.fullscreen;
    settings.vsync = choices.vsync;
    settings.music = choices.music;
    return true;
}
