// duskwheel-capture: renders the show offline, frame by frame on a virtual
// clock, into a picture of its own apart from the window, and writes the
// frames at the requested show times as PNG files or the whole run as a video
// with the music. Run it from the folder that holds Data/.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "assets/show_assets.h"
#include "music/show_music.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "frame/viewport.h"
#include "run/demo_context.h"
#include "program/live_steps.h"
#include "run/show_run.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/draw_only_sink.h"
#include "tools/capture/frame_png.h"
#include "tools/capture/offscreen.h"
#include "tools/capture/progress.h"
#include "tools/capture/stop_signal.h"
#include "tools/capture/video_sink.h"

namespace {

// The window only carries the GL context; the frames are drawn offscreen.
constexpr int32_t windowWidth = 320;
constexpr int32_t windowHeight = 200;
constexpr int exitStopped = 130;  // as a shell reports a program ended by Ctrl-C

struct Capture {
    CaptureOptions options;
    DemoContext* context = nullptr;
    LiveShow* live = nullptr;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    OffscreenTarget target;
    bool refused = false;      // what was asked cannot be done: the size, the folder
    VirtualClock clock;        // its listed times are the PNG frames'; none for a video
    uint64_t lastFrame = 0;    // the number of the last frame to draw
    uint64_t drawnFrames = 0;
    std::unique_ptr<ProgressLine> progress;
    // PNG frames
    std::vector<uint8_t> rgb;
    bool writeFailed = false;
    // Video
    VideoSink* sink = nullptr;
    uint64_t firstVideoFrame = 0;
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
    int32_t at = 0;
    if (!capture.clock.takeListed(capture.context->showTime, at))
        return;
    const std::string path = framePath(capture, at);
    capture.rgb.resize(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3);
    capture.target.readRgb(capture.rgb.data());
    if (!writeRgbPng(path, options.width, options.height, capture.rgb.data())) {
        capture.progress->end();
        std::fprintf(stderr, "duskwheel-capture: cannot write %s\n", path.c_str());
        capture.writeFailed = true;
        return;
    }
    if (!options.quiet) {
        capture.progress->end();
        std::printf("duskwheel-capture: %s (show time %d ms)\n", path.c_str(), capture.context->showTime);
        std::fflush(stdout);
    }
}

bool makeFolder(const std::string& folder)
{
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "duskwheel-capture: cannot create %s: %s\n", folder.c_str(),
                     made ? made.message().c_str() : "something else is there");
        return false;
    }
    return true;
}

void queueVideoFrame(Capture& capture)
{
    uint8_t* pixels = capture.sink->frameBuffer();
    if (!pixels)
        return;  // the encoder has failed; the next pump ends the run
    capture.target.readBgra(pixels);
    capture.sink->submitFrame();
}

// The live program's steps, with the launcher, the clock, the sound device,
// the picture's target and the presentation replaced: everything drawn is
// what the live show draws.
ShowSteps captureSteps(Capture& capture)
{
    Capture* c = &capture;
    ShowSteps steps = liveShowSteps(*c->context, *c->live);
    steps.runLauncher = [c](ShowSettings& settings) {
        settings.width = c->options.width < windowWidth ? c->options.width : windowWidth;
        settings.height = c->options.height < windowHeight ? c->options.height : windowHeight;
        settings.aspect = c->options.aspect;
        settings.colorBits = 32;
        settings.fullscreen = false;
        settings.vsync = false;
        settings.music = false;  // nothing is heard; the spectrum is taken before the volume
        return launcherLaunched;
    };
    steps.openWindow = [c, liveOpen = steps.openWindow] {
        // The live opening sizes the window and its viewport from the
        // context; the picture then takes the requested size and the
        // viewport and projection are set up again for it.
        if (!liveOpen())
            return false;
        std::string why;
        const OffscreenTarget::Made made = c->target.make(c->options.width, c->options.height, why);
        if (made != OffscreenTarget::Made::Ok) {
            std::fprintf(stderr, "duskwheel-capture: %s\n", why.c_str());
            c->refused = made == OffscreenTarget::Made::TooLarge;
            return false;
        }
        // The folder comes once the size is known to work, so that a refused
        // size leaves nothing behind.
        if (!c->sink && !makeFolder(c->options.out)) {
            c->refused = true;
            return false;
        }
        ShowSettings& settings = c->context->settings;
        settings.width = c->options.width;
        settings.height = c->options.height;
        setupViewport(settings.aspect, settings.width, settings.height, c->context->projection);
        return true;
    };
    steps.load = [c, liveLoad = steps.load] {
        // No device: the play position is whatever each frame says it is,
        // so every run sees the same spectrum.
        soundUseExplicitPosition(c->context->music.sound, true);
        return liveLoad();
    };
    steps.startClock = [c] {
        // The first frame drawn is the first wanted: the show reaches it by its ticks.
        c->clock.start(c->firstVideoFrame);
        c->drawnFrames = 0;
        c->progress->restart();
        return true;
    };
    steps.readTicks = [c] { return c->clock.ticks(); };
    steps.pumpMessages = [c, livePump = steps.pumpMessages] {
        const bool open = livePump();
        if (stopRequested() || c->writeFailed || (c->sink && !c->sink->failure().empty()))
            return false;
        // The last frame wanted is the last one drawn.
        return open && c->clock.frame < c->lastFrame;
    };
    steps.drawFrame = [c, liveDraw = steps.drawFrame] {
        soundSetPosition(c->context->music.sound, sampleFrameAt(c->context->showTime));
        // The live frame ends on the window's framebuffer; each starts on ours.
        c->target.bind();
        liveDraw();
        if (c->sink)
            queueVideoFrame(*c);
        else
            writeWantedFrame(*c);
        c->clock.advance();
        ++c->drawnFrames;
        c->progress->update(c->clock.frame);
    };
    steps.present = [] {};  // nobody watches; the frames are read from the picture
    steps.stopClock = [] {};
    steps.destroyWindow = [c, liveDestroy = steps.destroyWindow] {
        c->target.release();
        liveDestroy();
    };
    return steps;
}

int writeFrames(Capture& capture)
{
    const CaptureOptions& options = capture.options;
    capture.clock.rate = options.fps;
    capture.clock.at = options.at;
    capture.lastFrame = capture.clock.lastListedFrame();
    capture.progress = std::make_unique<ProgressLine>(!options.quiet, capture.lastFrame + 1);
    const int result = runShow(*capture.context, captureSteps(capture));
    capture.progress->end();
    if (result != 0)
        return capture.refused ? 2 : 1;
    if (capture.writeFailed)
        return 1;
    if (capture.clock.nextWanted < options.at.size()) {
        std::fprintf(stderr, "duskwheel-capture: stopped at %d ms, before %d ms\n", capture.context->showTime,
                     options.at[capture.clock.nextWanted]);
        return exitStopped;
    }
    return 0;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int writeVideo(Capture& capture)
{
    const CaptureOptions& options = capture.options;
    capture.clock.rate = options.fps;
    capture.firstVideoFrame = framesBefore(options.from, options.fps);
    capture.lastFrame = framesBefore(options.to, options.fps) - 1;
    VideoPlan plan;
    plan.path = options.video;
    plan.width = options.width;
    plan.height = options.height;
    plan.rate = options.fps;
    plan.crf = options.crf;
    plan.firstFrameMs = static_cast<int32_t>(virtualTicks(capture.firstVideoFrame, options.fps));
    plan.endMs = options.to;
    std::string error;
    int exitCode = 1;
    std::unique_ptr<VideoSink> sink =
        options.drawOnly ? makeDrawOnlySink(options.width, options.height)
                         : openVideoSink(plan, capture.context->music.sound, error, exitCode);
    if (!sink) {
        std::fprintf(stderr, "duskwheel-capture: %s\n", error.c_str());
        return exitCode;
    }
    capture.sink = sink.get();
    capture.progress = std::make_unique<ProgressLine>(!options.quiet, capture.lastFrame + 1);

    const int result = runShow(*capture.context, captureSteps(capture));
    capture.progress->end();
    if (result != 0)
        return capture.refused ? 2 : 1;  // the file goes with the sink
    error = sink->failure();
    if (!error.empty()) {
        std::fprintf(stderr, "duskwheel-capture: %s\n", error.c_str());
        return 1;
    }
    const bool everyFrame = capture.clock.frame == capture.lastFrame + 1;
    if (!everyFrame && (capture.drawnFrames == 0 || options.drawOnly)) {
        std::fprintf(stderr, "duskwheel-capture: stopped at %d ms%s\n", capture.context->showTime,
                     options.drawOnly ? "" : ", before the first frame; no file written");
        return exitStopped;
    }
    if (!sink->finish(error)) {
        std::fprintf(stderr, "duskwheel-capture: %s\n", error.c_str());
        return 1;
    }
    // The pace from the first frame to the closed file; the time taken, from the start.
    const double drawing = capture.progress->seconds();
    const double fps = drawing > 0 ? static_cast<double>(capture.drawnFrames) / drawing : 0.0;
    const std::string taken = durationText(secondsSince(capture.started));
    const auto frames = static_cast<unsigned long long>(capture.drawnFrames);
    if (options.drawOnly) {
        if (!options.quiet)
            std::fprintf(stderr, "duskwheel-capture: drew %llu frames (%d to %d ms) at %dx%d in %s at %.1f fps\n",
                         frames, plan.firstFrameMs, capture.context->showTime, options.width, options.height,
                         taken.c_str(), fps);
        return 0;
    }
    std::error_code sized;
    const uint64_t bytes = std::filesystem::file_size(options.video, sized);
    if (!everyFrame) {
        std::fprintf(stderr, "duskwheel-capture: stopped at %d ms; %s holds %d to %d ms (%llu frames), %s\n",
                     capture.context->showTime, options.video.c_str(), plan.firstFrameMs, capture.context->showTime, frames,
                     sizeText(sized ? 0 : bytes).c_str());
        return exitStopped;
    }
    if (!options.quiet)
        std::fprintf(stderr, "duskwheel-capture: wrote %s (%llu frames, %d to %d ms) in %s at %.1f fps, %s\n",
                     options.video.c_str(), frames, plan.firstFrameMs, options.to, taken.c_str(), fps,
                     sizeText(sized ? 0 : bytes).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Capture capture;
    std::string error;
    if (!parseCaptureOptions(argc, argv, capture.options, error)) {
        std::fprintf(stderr, "duskwheel-capture: %s (--help lists the options)\n", error.c_str());
        return 2;
    }
    if (capture.options.help) {
        std::printf("%s\n", captureUsage());
        return 0;
    }
    catchStopSignals();
    SoundLayer sound(platformSoundBackend());
    DemoContext context(sound);
    LiveShow live;
    capture.context = &context;
    capture.live = &live;
    // Decoded while the GL context and the encoders are made, as the player
    // decodes them while its launcher is open.
    prefetchShowMusic(sound);
    prefetchShowPictures(context.pictures);
    try {
        return capture.options.at.empty() ? writeVideo(capture) : writeFrames(capture);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "duskwheel-capture: out of memory for %dx%d frames\n", capture.options.width,
                     capture.options.height);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "duskwheel-capture: %s\n", failure.what());
    }
    return 1;
}
