// Launch to the first presented frame, as the live program does it: the
// launcher stands open for a second (as a user takes at least that long),
// then Launch at 1280x800 windowed; the time runs from Launch to the end of
// the first present. --no-prefetch leaves the music to be decoded at load.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "assets/show_assets.h"
#include "music/show_music.h"
#include "launcher/aspect_code.h"
#include "run/demo_context.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "program/live_steps.h"
#include "run/show_run.h"

int main(int argc, char** argv)
{
    const bool prefetch = !(argc > 1 && std::strcmp(argv[1], "--no-prefetch") == 0);
    using Clock = std::chrono::steady_clock;
    Clock::time_point launched;
    double firstFrameMs = -1;
    SoundLayer sound(platformSoundBackend());
    DemoContext context(sound);
    LiveShow live;
    if (prefetch) {
        prefetchShowMusic(sound);
        prefetchShowPictures(context.pictures);
    }

    ShowSteps steps = liveShowSteps(context, live);
    steps.runLauncher = [&](ShowSettings& settings) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        settings.width = 1280;
        settings.height = 800;
        settings.colorBits = 32;
        settings.aspect = Ratio16x10;
        settings.fullscreen = false;
        settings.music = true;
        launched = Clock::now();
        return launcherLaunched;
    };
    steps.present = [&, livePresent = steps.present] {
        livePresent();
        if (firstFrameMs < 0) {
            firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
            context.keys[keyEscape] = true;  // one more frame, then the end
        }
    };
    const int result = runShow(context, steps);
    std::printf("launch to first frame: %.0f ms (%s)\n", firstFrameMs, prefetch ? "music and pictures decoded ahead" : "decoded at load");
    return result;
}
