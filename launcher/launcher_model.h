#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/display_modes.h"
#include "launcher/show_settings.h"

// What the settings dialog offers. Both backends fill their controls from
// it, so the lists read the same on every platform.
struct LauncherLists {
    std::vector<DisplayMode> displayModes;   // the first 32-bit mode of each resolution, in the driver's order
    int32_t desktopAspect = AspectNone;      // what "Auto" means
    std::vector<std::string> resolutions;    // "%dx%d", one per display mode, in list order
    std::vector<std::string> aspects;        // "Auto", then the ratios in AspectCode order
    std::vector<std::string> multisampling;  // "None", then "%dx"
    std::vector<int32_t> sampleCounts;       // the count behind each multisampling entry
    int desktopEntry = -1;                   // the desktop's resolution in the list, or -1
    // The desktop mode as read when the dialog opened; with no display modes
    // listed, the show runs at its resolution.
    bool desktopKnown = false;
    DisplayMode desktop;
};

// The state of the dialog's controls. A position of -1 selects nothing.
struct LauncherChoices {
    int resolution = -1;
    int aspect = 0;
    int multisampling = 0;
    bool fullscreen = true;
    bool vsync = true;
    bool music = true;
};

// Reads the display modes, the desktop mode and its aspect from the display
// source and fills the lists; maxSamples bounds the multisampling list.
LauncherLists makeLauncherLists(const DisplaySource& displays, int32_t maxSamples = 0);

// The selection when the dialog opens: the desktop's resolution when the list
// has it, "Auto", "None" and every switch on.
LauncherChoices initialLauncherChoices(const LauncherLists& lists);

// Launch needs a resolution: a selected entry, or the desktop's when the list
// is empty.
bool canLaunch(const LauncherLists& lists, const LauncherChoices& choices);

// What the resolution box shows: the selected entry, the desktop's resolution
// standing in for an empty list, or nothing.
std::string resolutionCaption(const LauncherLists& lists, const LauncherChoices& choices);

// Writes the choices into the settings, as Launch does. Returns false and
// leaves the settings alone when canLaunch is false.
bool applyLauncherChoices(const LauncherLists& lists, const LauncherChoices& choices, ShowSettings& settings);
