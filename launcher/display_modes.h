#pragma once
#include <cstdint>
#include <vector>

// One display mode as the platform reports it. Only width, height and depth
// are ever read; the refresh rate is kept as reported.
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t refreshRate = 0;
};

// Where the display modes come from: the backend's driver enumeration, or a
// fake one in tests. modeAt returns false past the last index; desktopMode
// returns false when the current desktop mode cannot be read. unreachable,
// where a backend has it, says why there is no display to read (the words
// after "cannot open the display"), or null.
struct DisplaySource {
    bool (*modeAt)(int index, DisplayMode& out) = nullptr;
    bool (*desktopMode)(DisplayMode& out) = nullptr;
    const char* (*unreachable)() = nullptr;
};

bool hasResolution(const std::vector<DisplayMode>& modes, const DisplayMode& candidate);
// The first 32-bit mode of each resolution, in the driver's order.
void enumerateDisplayModes(const DisplaySource& source, std::vector<DisplayMode>& modes);
// An AspectCode for the desktop mode; AspectNone when it cannot be read.
int32_t detectDesktopAspect(const DisplaySource& source);
