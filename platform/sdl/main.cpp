#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/sdl/display_source.h"
#include "platform/sdl/quit_signal.h"
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
    // Ctrl-C or SIGTERM quits the launcher or closes the show, rather than killing it mid-frame.
    catchQuitSignals();
    return runPlayer(argc, argv, sdlDisplaySource(), say, installedData());
}
