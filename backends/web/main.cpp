// The web entry point. The browser owns the loop: main makes the sound
// layer, the context on it, the WebGL context and the display source, fills
// the launcher page and returns, the Data files still on their way; Launch on
// the page starts the show, which then steps once per animation frame until
// it ends. index.html?at=... draws listed frames on a
// virtual clock instead, as the capture tool does.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "launcher/launcher_model.h"
#include "music/show_music.h"
#include "music/show_ticks.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/web/decode_ahead.h"
#include "frame/viewport.h"
#include "backends/web/display_source.h"
#include "backends/web/page.h"
#include "backends/web/show_clock_web.h"
#include "backends/web/webgl_context.h"
#include "program/window.h"
#include "composer/frame_composer.h"
#include "gl/gl_procs.h"
#include "run/configurator.h"
#include "run/demo_context.h"
#include "program/live_steps.h"
#include "run/show_run.h"
#include "run/virtual_clock.h"

namespace {

constexpr double frameStepBudgetMs = 25.0;  // drawing listed frames leaves the page this responsive

// What the page's show holds from main to its end. The page hands it back
// with every call, as the browser hands back a callback's argument.
struct WebShow {
    DemoContext* context = nullptr;
    LiveShow* live = nullptr;
    ShowSteps steps;
    ShowRun run;
    bool launched = false;
    ShowSettings pending;  // Launch was pressed with these; waiting for the decode
    bool waiting = false;
    // Listed frames on the virtual clock, as the capture tool's.
    VirtualClock clock;
    uint64_t lastFrame = 0;
    uint64_t liveFrames = 0;
    // The window and the load, done while the launcher is open.
    bool launchAsked = false;
    bool preloaded = false;
    bool preloadOk = false;
    // A seek past what of the music has arrived, held until it has; -1: none.
    int32_t seekWanted = -1;
};

std::string joined(const std::vector<std::string>& entries)
{
    std::string text;
    for (const std::string& entry : entries)
        text += (text.empty() ? "" : "\n") + entry;
    return text;
}

// The canvas follows the page's size; the letterbox follows the canvas.
void followCanvas(DemoContext& context)
{
    const int width = duskPageCanvasWidth();
    const int height = duskPageCanvasHeight();
    ShowSettings& s = context.settings;
    if (width <= 0 || height <= 0 || (width == s.width && height == s.height))
        return;
    duskPageSizeCanvas(width, height);
    s.width = width;
    s.height = height;
    if (!setupViewport(s.aspect, s.width, s.height, context.projection))
        setupViewport(Ratio16x10, s.width, s.height, context.projection);
}

void finish(WebShow& show)
{
    emscripten_cancel_main_loop();
    endShow(*show.context, show.steps, show.run);
}

// The track's start plays while the rest is still on its way; the rest joins
// it as it arrives.
void followMusicRest(DemoContext& context)
{
    webSoundFollowRest(context.music.sound, context.music.activeHandle());
}

// True while the music has not arrived as far as frame.
bool musicArriving(DemoContext& context, uint64_t frame)
{
    return webSoundRestPending() && soundLength(context.music.sound, context.music.activeHandle()) <= frame;
}

// The first frames wait for the page's decode of the music; then the show is
// launched once. True from the launch on; a launch with everything loaded
// ahead draws its first frame at once, one with the load to do draws it in
// the next animation frame.
bool launchedOnceDecoded(WebShow& show)
{
    if (show.launched)
        return true;
    if (webSoundDecoding())
        return false;
    show.launched = true;
    if (launchShow(*show.context, show.steps, launcherLaunched, show.pending, show.run) != 0) {
        emscripten_cancel_main_loop();
        duskPageShowFailed();
        return false;
    }
    followMusicRest(*show.context);
    return show.preloaded;
}

// A frame of each section drawn into the hidden canvas, by a composer of its
// own: the browser's GL builds what each section's state draws with now,
// rather than in the show's first frames, where the wait would starve the
// music's queue. (Without the band shader the composer would say so twice.)
void drawEachSectionUnseen(DemoContext& context)
{
    FrameComposer composer(context.music, context.textures, context.shaders);
    for (int32_t t : {1000, 6000, 25000, 31000, 52000, 58000, 66000, 86000}) {
        composer.draw(t);
        composer.drawScreenFades();
    }
    glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glFlush();
}

// Once the whole track is there, its tick spectra are worked out while the
// launcher is open, so that the position bar's first seek is quick.
void reachEndWhenWhole(void* argument)
{
    WebShow& show = *static_cast<WebShow*>(argument);
    if (show.launchAsked)
        return;
    if (webSoundRestPending()) {
        emscripten_async_call(reachEndWhenWhole, argument, 50);
        return;
    }
    float bins[tickSpectrumBins];
    for (int64_t tick = 0; tick <= lastTickAt(static_cast<int32_t>(showEndTime) - 1); ++tick)
        show.context->music.tickSpectrum(tick, 0, false, bins);
}

// The context's program and the show's files (track, shaders, pictures with
// their mipmaps) made and loaded while the launcher is open, once the
// browser has decoded the track, so that Launch only starts the show.
void preloadWhenDecoded(void* argument)
{
    WebShow& show = *static_cast<WebShow*>(argument);
    if (show.launchAsked)
        return;  // Launch came first: the launch loads as it would have
    if (webSoundDecoding()) {
        emscripten_async_call(preloadWhenDecoded, argument, 20);
        return;
    }
    DemoContext& context = *show.context;
    const LauncherLists lists = makeLauncherLists(webDisplaySource());
    if (!applyLauncherChoices(lists, initialLauncherChoices(lists), context.settings))
        return;
    if (!context.configurator)
        context.configurator = new VelloranConfigurator(&context);
    show.preloaded = true;
    show.preloadOk = createGlWindow(context.settings, context.glVersion, context.extensionLoader) &&
                     liveShowSteps(context, *show.live).load();
    if (show.preloadOk) {
        followMusicRest(context);
        if (context.shaders.findProgram("PP"))
            drawEachSectionUnseen(context);
        emscripten_async_call(reachEndWhenWhole, argument, 0);
    }
}

void liveFrame(void* argument)
{
    WebShow& show = *static_cast<WebShow*>(argument);
    if (!launchedOnceDecoded(show))
        return;
    if (show.seekWanted >= 0 && !musicArriving(*show.context, sampleFrameAt(show.seekWanted))) {
        seekShow(show.steps, show.run, show.seekWanted);
        show.seekWanted = -1;
        duskPageMusicWait(0);
    }
    publishShowClock(show.live->clock);
    const bool goesOn = stepShow(*show.context, show.steps, show.run);
    if (show.liveFrames++ == 0)
        duskPageFirstFrame();
    if (!goesOn) {
        finish(show);
        duskPageShowEnded();
    }
}

void listedFrames(void* argument)
{
    WebShow& show = *static_cast<WebShow*>(argument);
    // Listed frames read the whole track's spectrum: they wait for all of it.
    if (!launchedOnceDecoded(show) || webSoundRestPending())
        return;
    const double start = emscripten_get_now();
    while (emscripten_get_now() - start < frameStepBudgetMs) {
        if (!stepShow(*show.context, show.steps, show.run)) {
            finish(show);
            duskPageFramesDone();
            return;
        }
    }
}

ShowSteps frameSteps(WebShow& show)
{
    WebShow* w = &show;
    ShowSteps steps = liveShowSteps(*show.context, *show.live);
    steps.load = [w, liveLoad = steps.load] {
        // No device: the play position is whatever each frame says it is,
        // so every run sees the same spectrum.
        soundUseExplicitPosition(w->context->music.sound, true);
        return liveLoad();
    };
    steps.startClock = [w] {
        w->clock.start();
        return true;
    };
    steps.readTicks = [w] { return w->clock.ticks(); };
    steps.pumpMessages = [w, livePump = steps.pumpMessages] {
        const bool open = livePump();
        return open && w->clock.frame < w->lastFrame;
    };
    steps.drawFrame = [w, liveDraw = steps.drawFrame] {
        soundSetPosition(w->context->music.sound, sampleFrameAt(w->context->showTime));
        liveDraw();
        int32_t listed = 0;
        if (w->clock.takeListed(w->context->showTime, listed))
            duskPageKeepFrame(listed);
        w->clock.advance();
    };
    steps.stopClock = [] {};
    return steps;
}

ShowSteps pageSteps(WebShow& show)
{
    DemoContext* c = show.context;
    WebShow* w = &show;
    ShowSteps steps = liveShowSteps(*show.context, *show.live);
    // Loaded ahead, it has said what it had to say about the files then.
    steps.load = [w, liveLoad = steps.load] { return w->preloaded ? w->preloadOk : liveLoad(); };
    steps.pumpMessages = [c, livePump = steps.pumpMessages] {
        followCanvas(*c);
        return livePump();
    };
    return steps;
}

}  // namespace

extern "C" {

// Launch on the page, with the form's choices; the press is the gesture
// that lets the browser play sound.
EMSCRIPTEN_KEEPALIVE void duskLaunch(WebShow* show, int aspect, int fullscreen, int music, int startTime)
{
    // Read anew: "Auto" follows the window's aspect as it is now.
    const LauncherLists lists = makeLauncherLists(webDisplaySource());
    LauncherChoices choices = initialLauncherChoices(lists);
    choices.aspect = aspect;
    choices.fullscreen = fullscreen != 0;
    choices.vsync = true;  // a browser always syncs
    choices.music = music != 0;
    show->launchAsked = true;
    if (!applyLauncherChoices(lists, choices, show->pending)) {
        duskPageShowFailed();
        return;
    }
    // index.html#t=SECONDS: the show starts there, as --from does natively.
    show->pending.startTime = startTime > 0 && startTime < static_cast<int>(showEndTime) ? startTime : 0;
    show->steps = pageSteps(*show);
    emscripten_set_main_loop_arg(liveFrame, show, 0, false);
}

// A tab in the background gets no animation frames: the show then steps on
// timeouts, which the browser still runs (if seldom), so that its clock,
// its music and its end at 92 s go on as in a minimised window.
EMSCRIPTEN_KEEPALIVE void duskFollowVisibility(int hidden)
{
    if (hidden)
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 16);
    else
        emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
}

// The Data files are in the program's file system: the track is handed to
// the browser's decoder while the launcher is still open, and for a show to
// be launched the rest is loaded once it is decoded.
EMSCRIPTEN_KEEPALIVE void duskDataReady(WebShow* show, int live)
{
    webSoundDecodeAhead(showMusicFile);
    if (live)
        emscripten_async_call(preloadWhenDecoded, show, 0);
}

// The position bar: the show time now (-1 before the show runs), the show
// carried to another time with its music, held or going on.
EMSCRIPTEN_KEEPALIVE int duskShowTime(WebShow* show)
{
    return show->run.running ? show->context->showTime : -1;
}

EMSCRIPTEN_KEEPALIVE void duskSeek(WebShow* show, int showTime)
{
    if (!show->run.running)
        return;
    // A seek past what of the music has arrived waits for it, and says so.
    if (musicArriving(*show->context, sampleFrameAt(showTime))) {
        show->seekWanted = showTime;
        duskPageMusicWait(1);
        return;
    }
    show->seekWanted = -1;
    duskPageMusicWait(0);
    seekShow(show->steps, show->run, showTime);
}

EMSCRIPTEN_KEEPALIVE void duskPause(WebShow* show, int paused)
{
    if (show->run.running)
        pauseShow(show->steps, show->run, paused != 0);
}

// index.html?at=...: the listed show times drawn at width x height.
EMSCRIPTEN_KEEPALIVE void duskShowFrames(WebShow* show, const int32_t* times, int count, int width, int height)
{
    show->clock.at.assign(times, times + count);
    show->lastFrame = show->clock.lastListedFrame();
    ShowSettings& s = show->pending;
    s.width = width;
    s.height = height;
    s.colorBits = 32;
    s.aspect = Ratio16x10;
    s.fullscreen = false;
    s.vsync = false;
    s.music = false;  // nothing is heard; the spectrum is taken before the volume
    show->steps = frameSteps(*show);
    emscripten_set_main_loop_arg(listedFrames, show, 0, false);
}

}  // extern "C"

EM_JS(void, duskPageStart, (WebShow* show), { Module.page.start(show); });

int main()
{
    // Made in the native order and kept for the page's whole life: the
    // browser calls back into them after main has returned.
    static SoundLayer sound(platformSoundBackend());
    static DemoContext context(sound);
    static LiveShow live;
    static WebShow show;
    show.context = &context;
    show.live = &live;
    const LauncherLists lists = makeLauncherLists(webDisplaySource());
    const LauncherChoices choices = initialLauncherChoices(lists);
    duskPageShowLauncher(joined(lists.aspects).c_str(), joined(lists.multisampling).c_str(), choices.aspect,
                         choices.fullscreen, choices.music);
    duskPageStart(&show);
    // The show's own context, made once the form is up (a browser's first
    // context takes a while): a browser without WebGL 2 is told so instead.
    emscripten_async_call([](void*) {
        if (!openWebGlContext(false))
            duskPageNoWebGl();
    }, nullptr, 0);
    return 0;
}
