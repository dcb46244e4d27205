#include "tools/capture/show_audio.h"

#include <algorithm>

#include "assets/data_file.h"
#include "music/sound/sound_backend.h"

namespace {
// The file the show plays (music/show_music.cpp).
const char* const showMusicFile = "Data\\music.mp3";
}  // namespace

bool readShowAudio(uint64_t first, uint64_t end, std::vector<float>& pcm, std::string& error)
{
    std::vector<float> track;
    const char* why = "";
    if (!decodeMp3File(showMusicFile, track, why)) {
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
