// The web sound backend on a page of its own (sound_page.html): the show's
// music decoded ahead while the page waits for Launch, then loaded and
// started as the show does it, and played through Web Audio until Escape.
#include <emscripten.h>

#include <cstdint>

#include "music/music_track.h"
#include "music/show_music.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/web/decode_ahead.h"

namespace {
MusicTrack* music = nullptr;
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void prepare()
{
    webSoundDecodeAhead(showMusicFile);
}

EMSCRIPTEN_KEEPALIVE int ready()
{
    return webSoundDecoding() ? 0 : 1;
}

// 1 once the music plays (or plays silently), 0 after the show's own line
// on stderr.
EMSCRIPTEN_KEEPALIVE int launch()
{
    if (!loadShowMusic(*music))
        return 0;
    webSoundFollowRest(music->sound, music->activeHandle());
    music->start(true);
    return 1;
}

// Where the spectrum reads the track now, in frames; negative before it plays.
EMSCRIPTEN_KEEPALIVE double position()
{
    return static_cast<double>(soundPosition(music->sound, music->activeHandle()));
}

EMSCRIPTEN_KEEPALIVE void end()
{
    soundStop(music->sound);
    soundFree(music->sound);
}
}

int main()
{
    // For the page's life: the runtime stays when main returns.
    static SoundLayer sound(platformSoundBackend());
    static MusicTrack track(sound);
    music = &track;
    return 0;
}
