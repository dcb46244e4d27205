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
#include "shell/aspect_code.h"
#include "shell/demo_context.h"
#include "shell/show_run.h"

int main(int argc, char** argv)
{
    const bool prefetch = !(argc > 1 && std::strcmp(argv[1], "--no-prefetch") == 0);
    using Clock = std::chrono::steady_clock;
    Clock::time_point launched;
    double firstFrameMs = -1;
    if (prefetch) {
        prefetchShowMusic();
        prefetchShowPictures();
    }

    ShowSteps steps = liveShowSteps(gDemo);
    steps.runLauncher = [&] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        gDemo.width = 1280;
        gDemo.height = 800;
        gDemo.colorBits = 32;
        gDemo.aspect = Ratio16x10;
        gDemo.fullscreen = false;
        gDemo.musicEnabled = true;
        launched = Clock::now();
        return launcherLaunched;
    };
    steps.present = [&, livePresent = steps.present] {
        livePresent();
        if (firstFrameMs < 0) {
            firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
            gDemo.keys[keyEscape] = true;  // one more frame, then the end
        }
    };
    const int result = runShow(gDemo, steps);
    std::printf("launch to first frame: %.0f ms (%s)\n", firstFrameMs, prefetch ? "music and pictures decoded ahead" : "decoded at load");
    return result;
}
