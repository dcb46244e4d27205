#include "launcher/display_modes.h"

#include <cmath>

#include "launcher/aspect_code.h"

bool hasResolution(const std::vector<DisplayMode>& modes, const DisplayMode& candidate)
{
    for (const DisplayMode& m : modes)
        if (m.width == candidate.width && m.height == candidate.height)
            return true;
    return false;
}

void enumerateDisplayModes(const DisplaySource& source, std::vector<DisplayMode>& modes)
{
    modes.clear();
    if (!source.modeAt)
        return;
    DisplayMode mode;
    for (int i = 0; source.modeAt(i, mode); ++i)
        if (mode.bitsPerPixel == 32 && !hasResolution(modes, mode))
            modes.push_back(mode);
}

int32_t detectDesktopAspect(const DisplaySource& source)
{
    DisplayMode desktop;
    if (!source.desktopMode || !source.desktopMode(desktop) || desktop.height == 0)
        return AspectNone;
    const float ratio = static_cast<float>(static_cast<double>(desktop.width) / desktop.height);
    struct Candidate { float ratio; int32_t code; };
    static const Candidate order[] = {
        {4.0f / 3.0f, Ratio4x3}, {5.0f / 4.0f, Ratio5x4}, {16.0f / 10.0f, Ratio16x10}, {16.0f / 9.0f, Ratio16x9}};
    for (const Candidate& c : order) {
        const float diff = std::fabs(ratio - c.ratio);
        if (diff < 1e-9f)
            return c.code;
    }
    return AspectNone;
}
