#include "backends/sdl/video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

// Why video could not start, for the one-line error.
char failure[256];

void setFailure(const char* text)
{
    SDL_snprintf(failure, sizeof failure, "(is DISPLAY set?): %s", text);
}

bool initialise()
{
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    // Without a Wayland session, trying Wayland only prints noise before X11 is tried.
    if (!requested && !std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        setFailure(SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!requested && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        setFailure("no window system (only SDL's offscreen driver is available)");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

}  // namespace

bool startSdlVideo()
{
    static const bool started = initialise();
    return started;
}

const char* sdlVideoUnreachable()
{
    if (startSdlVideo())
        return nullptr;
    return failure[0] ? failure : "(is DISPLAY set?): unknown error";
}
