// duskwheel-capture: renders the show offline, frame by frame on a virtual
// clock, and writes the frames at the requested show times as PNG files.
// Run it from the folder that holds Data/.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

#include "music/sound/sound.h"
#include "shell/demo_context.h"
#include "shell/show_run.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/frame_png.h"

namespace {

struct Capture {
    CaptureOptions options;
    uint64_t frame = 0;       // frames drawn so far; the virtual clock's position
    size_t nextWanted = 0;    // index into options.at
    bool writeFailed = false;
};

std::string framePath(const Capture& capture, int32_t at)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05d.png", at);
    return capture.options.out + "/" + name;
}

// The frame just drawn, if it is the first at or after the next wanted time.
void writeWantedFrame(Capture& capture)
{
    const CaptureOptions& options = capture.options;
    if (capture.nextWanted >= options.at.size() || gDemo.showTime < options.at[capture.nextWanted])
        return;
    const int32_t at = options.at[capture.nextWanted++];
    const std::string path = framePath(capture, at);
    if (!writeBackBufferPng(path, options.width, options.height)) {
        std::fprintf(stderr, "duskwheel-capture: cannot write %s\n", path.c_str());
        capture.writeFailed = true;
        return;
    }
    std::printf("duskwheel-capture: %s (show time %d ms)\n", path.c_str(), gDemo.showTime);
}

// The live program's steps, with the launcher, the clock, the sound device
// and the presentation replaced: everything drawn is what the live show draws.
ShowSteps captureSteps(Capture& capture)
{
    Capture* c = &capture;
    ShowSteps steps = liveShowSteps(gDemo);
    steps.runLauncher = [c] {
        gDemo.width = c->options.width;
        gDemo.height = c->options.height;
        gDemo.aspect = c->options.aspect;
        gDemo.colorBits = 32;
        gDemo.fullscreen = false;
        gDemo.vsync = false;
        gDemo.musicEnabled = false;  // nothing is heard; the spectrum is taken before the volume
        return launcherLaunched;
    };
    steps.load = [liveLoad = steps.load] {
        // No device: the play position is whatever each frame says it is,
        // so every run sees the same spectrum.
        soundUseExplicitPosition(true);
        return liveLoad();
    };
    steps.startClock = [c] {
        c->frame = 0;
        return true;
    };
    steps.readTicks = [c] { return virtualTicks(c->frame, c->options.fps); };
    steps.pumpMessages = [c, livePump = steps.pumpMessages] {
        const bool open = livePump();
        // The frame at the last wanted time is the last one drawn.
        return open && gDemo.showTime < c->options.at.back();
    };
    steps.drawFrame = [c, liveDraw = steps.drawFrame] {
        soundSetPosition(sampleFrameAt(gDemo.showTime));
        liveDraw();
        writeWantedFrame(*c);
        ++c->frame;
    };
    steps.present = [] {};  // nobody watches; the frames are read from the back buffer
    steps.stopClock = [] {};
    return steps;
}

}  // namespace

int main(int argc, char** argv)
{
    Capture capture;
    std::string error;
    if (!parseCaptureOptions(argc, argv, capture.options, error)) {
        std::fprintf(stderr, "duskwheel-capture: %s\n%s\n", error.c_str(), captureUsage());
        return 2;
    }
    std::error_code made;
    std::filesystem::create_directories(capture.options.out, made);
    if (made || !std::filesystem::is_directory(capture.options.out)) {
        std::fprintf(stderr, "duskwheel-capture: cannot create %s: %s\n", capture.options.out.c_str(),
                     made ? made.message().c_str() : "something else is there");
        return 1;
    }
    const int result = runShow(gDemo, captureSteps(capture));
    if (result != 0)
        return 1;
    if (capture.writeFailed)
        return 1;
    if (capture.nextWanted < capture.options.at.size()) {
        std::fprintf(stderr, "duskwheel-capture: the show ended before %d ms\n",
                     capture.options.at[capture.nextWanted]);
        return 1;
    }
    return 0;
}
