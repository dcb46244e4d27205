// Plays a track through the show's sound layer on the default output and
// writes, every 20 ms, the raw monotonic clock (ns) and the play position
// the show's spectrum would use: one half of the sync figure that
// sync.sh measures. Wine's QueryPerformanceCounter counts the same clock
// as Linux's CLOCK_MONOTONIC_RAW, so both builds stamp alike.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

long long rawNanoseconds()
{
#ifdef _WIN32
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart / frequency.QuadPart * 1000000000LL +
           count.QuadPart % frequency.QuadPart * 1000000000LL / frequency.QuadPart;
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    SoundLayer sound(platformSoundBackend());
    if (argc != 4) {
        std::fprintf(stderr, "usage: sound-sync-play FILE.mp3 SECONDS POSITIONS.txt\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[3], "w");
    if (!out || !soundInit(sound))
        return 1;
    const SoundHandle track = soundStreamFromFile(sound, argv[1]);
    if (track == 0) {
        std::fprintf(stderr, "sound-sync-play: %s %s\n", argv[1], soundLastFailure(sound));
        return 1;
    }
    soundStart(sound);
    soundPlay(sound, track);
    const int readings = std::atoi(argv[2]) * 50;
    for (int i = 0; i < readings; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::fprintf(out, "%lld %lld\n", rawNanoseconds(), static_cast<long long>(soundPosition(sound, track)));
    }
    soundFree(sound);
    return std::fclose(out) == 0 ? 0 : 1;
}
