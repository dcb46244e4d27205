#include "music/music_track.h"

#include <algorithm>
#include <cstring>

#include "music/show_ticks.h"
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

void MusicTrack::start(bool musicEnabled, int32_t fromMs)
{
    const SoundHandle handle = activeHandle();
    enabled = musicEnabled;
    // Switched off means silent, not skipped: the show still reads the spectrum.
    if (!musicEnabled)
        soundSetVolume(sound, handle, 0.0f);
    soundStart(sound);
    soundPlayFrom(sound, handle, static_cast<uint64_t>(fromMs > 0 ? fromMs : 0) * soundRate / 1000u);
}

void MusicTrack::playFrom(int32_t fromMs)
{
    soundSeek(sound, activeHandle(), static_cast<uint64_t>(fromMs > 0 ? fromMs : 0) * soundRate / 1000u);
}

void MusicTrack::tickSpectrum(int64_t tick, int32_t showNow, bool heard, float* bins)
{
    const SoundHandle handle = activeHandle();
    const int32_t t = tickTime(tick);
    if (heard && enabled && soundHeardFromDevice(sound)) {
        const int64_t since = static_cast<int64_t>(showNow) - t;
        std::fill(bins, bins + tickSpectrumBins, 0.0f);
        const int64_t heardNow = soundPosition(sound, handle);
        soundSpectrumAt(sound, handle, heardNow - since * soundRate / 1000, bins, tickSpectrumBins);
        return;
    }
    const size_t index = static_cast<size_t>(tick);
    if (index >= tickTable.size())
        tickTable.resize(index + 1, TickSpectrum{{}, false});
    TickSpectrum& kept = tickTable[index];
    if (!kept.set) {
        const int64_t end = static_cast<int64_t>(t) * soundRate / 1000;
        soundSpectrumAt(sound, handle, end, kept.bins, tickSpectrumBins);
        // Past what has been decoded so far the track may yet grow: asked again then.
        kept.set = end < static_cast<int64_t>(soundLength(sound, handle));
    }
    std::copy(kept.bins, kept.bins + tickSpectrumBins, bins);
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
