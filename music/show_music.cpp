#include "music/show_music.h"

#include <cstdio>

#include "assets/data_file.h"
#include "music/sound/sound.h"
#include "music/music_track.h"

bool loadShowMusic(MusicTrack& music)
{
    SoundLayer& sound = music.sound;
    if (!soundInit(sound)) {
        std::fprintf(stderr, "duskwheel: the sound output is already in use\n");
        return false;
    }
    if (music.load(showMusicFile) != 0) {
        // Named as the file system names it, like the pictures.
        std::fprintf(stderr, "duskwheel: the music file %s %s\n", dataFilePath(showMusicFile).c_str(),
                     soundLastFailure(sound));
        return false;
    }
    // A cut-short file still plays; one line says how much of it decodes.
    if (*soundLastNotice(sound))
        std::fprintf(stderr, "duskwheel: the music file %s %s; playing the %.1f s that decode\n",
                     dataFilePath(showMusicFile).c_str(), soundLastNotice(sound),
                     static_cast<double>(soundLength(sound, music.activeHandle())) / soundRate);
    return true;
}

void prefetchShowMusic(SoundLayer& sound)
{
    soundPrefetchStream(sound, showMusicFile);
}
