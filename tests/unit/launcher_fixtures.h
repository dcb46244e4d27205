#pragma once
#include <vector>

#include "launcher/display_modes.h"
#include "launcher/show_settings.h"

// A display driver that plays back a scripted mode list and desktop mode.
// DisplaySource takes plain function pointers, so the script is global.
struct FakeDisplays {
    static inline std::vector<DisplayMode> modes;
    static inline bool desktopReadable = true;
    static inline DisplayMode desktop;

    static bool modeAt(int index, DisplayMode& out)
    {
        if (index < 0 || static_cast<size_t>(index) >= modes.size())
            return false;
        out = modes[static_cast<size_t>(index)];
        return true;
    }
    static bool desktopMode(DisplayMode& out)
    {
        if (!desktopReadable)
            return false;
        out = desktop;
        return true;
    }

    // Sets the script and returns the source that reads it.
    static const DisplaySource& with(std::vector<DisplayMode> list, DisplayMode current, bool readable = true)
    {
        static const DisplaySource source{&modeAt, &desktopMode};
        modes = std::move(list);
        desktop = current;
        desktopReadable = readable;
        return source;
    }
};

inline DisplayMode mode(uint32_t width, uint32_t height, uint32_t bits = 32, uint32_t refresh = 60)
{
    DisplayMode m;
    m.width = width;
    m.height = height;
    m.bitsPerPixel = bits;
    m.refreshRate = refresh;
    return m;
}

// The settings the launcher writes are still as they were made.
inline bool settingsUntouched(const ShowSettings& c)
{
    return c.width == 0 && c.height == 0 && c.colorBits == 0 && c.samples == 0 && c.aspect == AspectNone &&
           !c.fullscreen && !c.vsync && !c.music;
}
