#include "music/music_track.h"

#include <cstring>

#include "music/sound/sound.h"

int32_t MusicTrack::load(const char* fileName)
{
    if (!fileName)
        return -1;
    // The whole name decides, folders included, so "mp3s\tune.xm" is a stream.
    const size_t length = std::strlen(fileName);
    char* upper = new char[length + 1];
    for (size_t i = 0; i <= length; ++i) {
        const char c = fileName[i];
        upper[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const bool stream = std::strstr(upper, "MP3") != nullptr;
    delete[] upper;

    if (stream) {
        const SoundHandle handle = soundStreamFromFile(sound, fileName);
        if (handle == 0)
            return -1;
        streamHandle = handle;
        isModule = false;
        return 0;
    }
    const SoundHandle handle = soundModuleFromFile(sound, fileName);
    if (handle == 0)
        return -1;
    moduleHandle = handle;
    isModule = true;
    return 0;
}

void MusicTrack::start(bool musicEnabled)
{
    const SoundHandle handle = activeHandle();
    // Switched off means silent, not skipped: the show still reads the spectrum.
    if (!musicEnabled)
        soundSetVolume(sound, handle, 0.0f);
    soundStart(sound);
    soundPlay(sound, handle);
}

void MusicTrack::captureSpectrum()
{
    soundSpectrum(sound, activeHandle(), spectrumBins);
}

MusicTrack::~MusicTrack()
{
    soundStop(sound);
    soundFree(sound);
}
