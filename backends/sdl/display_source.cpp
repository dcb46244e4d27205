#include <SDL.h>

#include "backends/sdl/display_source.h"
#include "backends/sdl/video.h"

namespace {

bool videoReady()
{
    return startSdlVideo();
}

DisplayMode fromSdl(const SDL_DisplayMode& mode)
{
    DisplayMode out;
    out.width = static_cast<uint32_t>(mode.w);
    out.height = static_cast<uint32_t>(mode.h);
    out.bitsPerPixel = SDL_BITSPERPIXEL(mode.format);
    // X11 reports truecolour as 24 bits in 4 bytes; that is our 32-bit mode.
    if (out.bitsPerPixel == 24 && SDL_BYTESPERPIXEL(mode.format) == 4)
        out.bitsPerPixel = 32;
    out.refreshRate = static_cast<uint32_t>(mode.refresh_rate);
    return out;
}

// SDL hands the modes over sorted, largest first, rather than in the driver's own order.
bool sdlModeAt(int index, DisplayMode& out)
{
    SDL_DisplayMode mode;
    if (!videoReady() || SDL_GetDisplayMode(0, index, &mode) != 0)
        return false;
    out = fromSdl(mode);
    return true;
}

bool sdlDesktopMode(DisplayMode& out)
{
    SDL_DisplayMode mode;
    if (!videoReady() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    out = fromSdl(mode);
    return true;
}

const DisplaySource sdlDisplays{sdlModeAt, sdlDesktopMode, sdlVideoUnreachable};

}  // namespace

const DisplaySource& sdlDisplaySource()
{
    return sdlDisplays;
}
