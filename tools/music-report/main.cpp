// music-report [--check] [FILE]: decodes a show track (default Data/music.mp3)
// through the sound layer, reads its spectrum as the show would at 60 frames
// a second, and prints per section how often the beat and bass-hit levels
// are crossed. With --check it exits 1 when a section misses what the show
// needs from it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

constexpr float beatLevel = 0.22f;  // mean of bins 0..5
constexpr float hitLevel = 0.12f;   // mean of bins 0..2

// Summed in single precision in index order, as the show does.
float meanOf(const float* values, int count)
{
    float sum = 0.0f;
    for (int k = 0; k < count; ++k)
        sum += values[k];
    return sum / static_cast<float>(count);
}

struct Section {
    const char* name;
    int from, to;  // milliseconds, from inclusive, to exclusive
    bool wantsBeats;
    bool countsOnsets;
};

const Section sections[] = {
    {"intro", 0, 4000, false, false},     {"logo", 4000, 18000, true, false},
    {"break", 18000, 20000, false, false}, {"stabs", 20000, 32000, false, true},
    {"groove", 32000, 62000, true, false}, {"greetings", 62000, 81000, true, false},
    {"gap", 81000, 82000, false, false},   {"credits", 82000, 92000, false, false},
};

struct Tally {
    int frames = 0;
    int beatFrames = 0;
    int beatRuns = 0;  // runs of consecutive frames over the beat level
    int longestRun = 0;
    int onsets = 0;    // bins 0..2 over their level after a frame under it
};

}  // namespace

int main(int argc, char** argv)
{
    SoundLayer sound(platformSoundBackend());
    bool check = false;
    std::string file = "Data/music.mp3";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else
            file = argv[i];
    }

    soundUseExplicitPosition(sound, true);
    soundInit(sound);
    const SoundHandle track = soundStreamFromFile(sound, file.c_str());
    if (track == 0) {
        std::fprintf(stderr, "music-report: %s %s\n", file.c_str(), soundLastFailure(sound));
        return 1;
    }
    soundPlay(sound, track);
    const uint64_t length = soundLength(sound, track);

    Tally tallies[sizeof sections / sizeof sections[0]];
    float bins[spectrumBinCount];
    bool wasBeat = false;
    bool wasLow = false;
    int run = 0;
    for (int frame = 0;; ++frame) {
        const int ms = static_cast<int>(frame * 1000LL / 60);
        if (ms >= 92000)
            break;
        soundSetPosition(sound, static_cast<uint64_t>(ms) * soundRate / 1000);
        soundSpectrum(sound, track, bins);
        const bool beat = meanOf(bins, 6) > beatLevel;
        const bool low = meanOf(bins, 3) > hitLevel;
        for (size_t s = 0; s < sizeof sections / sizeof sections[0]; ++s) {
            if (ms < sections[s].from || ms >= sections[s].to)
                continue;
            Tally& t = tallies[s];
            ++t.frames;
            if (beat) {
                ++t.beatFrames;
                if (!wasBeat)
                    ++t.beatRuns;
            }
            if (low && !wasLow)
                ++t.onsets;
        }
        run = beat ? run + 1 : 0;
        for (size_t s = 0; s < sizeof sections / sizeof sections[0]; ++s)
            if (ms >= sections[s].from && ms < sections[s].to)
                tallies[s].longestRun = std::max(tallies[s].longestRun, run);
        wasBeat = beat;
        wasLow = low;
    }

    soundFree(sound);

    // The decoded samples themselves, for their peak.
    std::vector<float> pcm;
    const char* why = "";
    float peak = 0.0f;
    if (decodeMp3File(file.c_str(), pcm, why))
        for (float v : pcm)
            peak = std::max(peak, std::fabs(v));

    std::printf("%s: %.2f s decoded, peak %.3f\n", file.c_str(), static_cast<double>(length) / soundRate, peak);
    std::printf("%-10s %9s %7s %11s %9s %10s %7s\n", "section", "time (s)", "frames", "beat share", "beats/s",
                "longest", "onsets");
    bool ok = length >= 94 * soundRate && peak < 1.0f;
    for (size_t s = 0; s < sizeof sections / sizeof sections[0]; ++s) {
        const Section& sec = sections[s];
        const Tally& t = tallies[s];
        const double seconds = (sec.to - sec.from) / 1000.0;
        const double share = t.frames ? 100.0 * t.beatFrames / t.frames : 0.0;
        const double rate = t.beatRuns / seconds;
        std::printf("%-10s %4.0f-%-4.0f %7d %10.1f%% %9.2f %10d %7s\n", sec.name, sec.from / 1000.0, sec.to / 1000.0,
                    t.frames, share, rate, t.longestRun,
                    sec.countsOnsets ? std::to_string(t.onsets).c_str() : "-");
        if (sec.wantsBeats && (rate < 1.8 || rate > 2.6 || t.longestRun > 8))
            ok = false;
        if (sec.countsOnsets && (t.onsets / seconds < 1.5 || t.onsets / seconds > 3.0))
            ok = false;
        if ((std::strcmp(sec.name, "intro") == 0 || std::strcmp(sec.name, "break") == 0) && t.beatFrames > 0)
            ok = false;
    }
    if (check && !ok) {
        std::fprintf(stderr, "music-report: the track does not drive the show as it should\n");
        return 1;
    }
    return 0;
}
