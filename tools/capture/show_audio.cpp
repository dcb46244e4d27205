#include "tools/capture/show_audio.h"

#include <algorithm>

#include "assets/data_file.h"
#include "music/show_music.h"
#include "music/sound/sound.h"

bool readShowAudio(SoundLayer& sound, uint64_t first, uint64_t end, std::vector<float>& pcm, std::string& error)
{
    // The same decode the show's load then takes over, not a second one.
    std::vector<float> track;
    const char* why = "";
    if (!soundDecodeStream(sound, showMusicFile, track, why)) {
        error = "the music file " + dataFilePath(showMusicFile) + " " + why;
        return false;
    }
    const uint64_t frames = track.size() / 2;
    pcm.assign(static_cast<size_t>(end > first ? end - first : 0) * 2, 0.0f);
    if (first < frames) {
        const uint64_t stop = std::min(end, frames);
        std::copy(track.begin() + static_cast<std::ptrdiff_t>(first * 2),
                  track.begin() + static_cast<std::ptrdiff_t>(stop * 2), pcm.begin());
    }
    return true;
}
