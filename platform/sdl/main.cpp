#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/sdl/display_source.h"
#include "platform/sdl/quit_signal.h"
#include "platform/sdl/video.h"
#include "shell/player.h"

namespace {

void say(const char* text)
{
    std::puts(text);
}

// Installed as PREFIX/bin/duskwheel, its Data is in PREFIX/share/duskwheel.
std::string installedData()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return std::string();
    const std::string folder = std::string(base) + "../share/duskwheel/Data";
    SDL_free(base);
    return folder;
}

}  // namespace

int main(int argc, char** argv)
{
    catchQuitSignals();
    // --play reads the display's modes before any window: without a display
    // that is the failure to name, not the options.
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--play" && !startSdlVideo()) {
            std::fprintf(stderr, "duskwheel: cannot open the display (is DISPLAY set?): %s\n", sdlVideoFailure());
            return 1;
        }
    return runPlayer(argc, argv, sdlDisplaySource(), say, installedData());
}
