#include <SDL.h>

#include <cstdio>
#include <string>

#include "backends/sdl/display_source.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/sdl/quit_signal.h"
#include "run/demo_context.h"
#include "program/player.h"

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

// SDL for the whole run: shut down only once the context has given back
// its music and textures.
struct SdlSession {
    SdlSession() { SDL_SetMainReady(); }
    ~SdlSession() { SDL_Quit(); }
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
};

}  // namespace

int main(int argc, char** argv)
{
    // Ctrl-C or SIGTERM quits the launcher or closes the show, rather than killing it mid-frame.
    catchQuitSignals();
    const SdlSession sdl;
    SoundLayer sound(platformSoundBackend());
    DemoContext context(sound);
    const DisplaySource& displays = sdlDisplaySource();
    return runPlayer(argc, argv, context, displays, say, installedData());
}
