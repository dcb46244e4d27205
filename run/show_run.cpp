#include "run/show_run.h"

#include "run/configurator.h"
#include "run/demo_context.h"

namespace {

void teardown(DemoContext& context, const ShowSteps& steps, bool clockStarted, bool composerMade)
{
    if (clockStarted)
        steps.stopClock();
    delete context.configurator;
    context.configurator = nullptr;
    if (context.musicStarted)
        steps.stopMusic();
    context.musicStarted = false;
    steps.destroyWindow();
    if (composerMade)
        steps.deleteComposer();
}

}  // namespace

float frameDeltaFor(uint32_t elapsed)
{
    float delta = static_cast<float>(static_cast<double>(elapsed) / 500.0);
    if (delta < 0.000001f)
        delta = 0.002f;
    return delta;
}

bool stepShow(DemoContext& context, const ShowSteps& steps, ShowRun& run)
{
    const uint32_t now = steps.readTicks();
    const uint32_t elapsed = now - run.lastTicks;  // wraps like the counter does
    run.lastTicks = now;
    context.showTime = run.paused ? run.pausedAt : static_cast<int32_t>(steps.readTicks()) + run.startTime;
    context.frameDelta = frameDeltaFor(elapsed);

    const bool quit = !steps.pumpMessages();  // the frame is still drawn and presented
    steps.drawFrame();

    if (static_cast<uint32_t>(context.showTime) >= showEndTime || context.keys[keyEscape])
        return false;
    steps.present();
    return !quit;
}

void runFrameLoop(DemoContext& context, const ShowSteps& steps, uint32_t& lastTicks)
{
    ShowRun run;
    run.lastTicks = lastTicks;
    while (stepShow(context, steps, run)) {
    }
    lastTicks = run.lastTicks;
}

int launchShow(DemoContext& context, const ShowSteps& steps, int launched, const ShowSettings& settings,
               ShowRun& run)
{
    if (launched < 0)
        return -1;  // nothing was opened; the configurator goes with the context
    // A launcher that could not be shown has said why; that is a failure, not a Quit.
    if (launched != launcherLaunched)
        return 1;
    context.settings = settings;
    if (!context.configurator)
        context.configurator = new VelloranConfigurator(&context);

    // No window or no music: give back what was made and end with 1, rather than draw a broken show.
    if (!steps.openWindow()) {
        teardown(context, steps, false, false);
        return 1;
    }
    if (!steps.load()) {
        teardown(context, steps, false, false);
        return 1;
    }
    steps.makeComposer();
    steps.startClock();  // a clock that did not start leaves the show at 0 ms
    steps.resetFades();
    steps.startMusic();
    run.lastTicks = 0;
    run.startTime = settings.startTime;
    run.running = true;
    return 0;
}

void seekShow(const ShowSteps& steps, ShowRun& run, int32_t showTime)
{
    if (showTime < 0)
        showTime = 0;
    if (static_cast<uint32_t>(showTime) >= showEndTime)
        showTime = static_cast<int32_t>(showEndTime) - 1;
    steps.reachTime(showTime);
    run.startTime = showTime - static_cast<int32_t>(steps.readTicks());
    run.pausedAt = showTime;
    steps.playMusicFrom(showTime);
    if (run.paused)
        steps.holdMusic(true);
}

void pauseShow(const ShowSteps& steps, ShowRun& run, bool paused)
{
    if (paused == run.paused)
        return;
    const int32_t now = static_cast<int32_t>(steps.readTicks());
    if (paused)
        run.pausedAt = now + run.startTime;
    else
        run.startTime = run.pausedAt - now;
    run.paused = paused;
    steps.holdMusic(paused);
}

void endShow(DemoContext& context, const ShowSteps& steps, ShowRun& run)
{
    if (!run.running)
        return;
    run.running = false;
    teardown(context, steps, true, true);
}

int runShow(DemoContext& context, const ShowSteps& steps)
{
    context.configurator = new VelloranConfigurator(&context);
    ShowSettings settings = context.settings;
    ShowRun run;
    const int launched = steps.runLauncher(settings);
    const int started = launchShow(context, steps, launched, settings, run);
    if (started != 0)
        return started;
    while (stepShow(context, steps, run)) {
    }
    endShow(context, steps, run);
    return 0;
}
