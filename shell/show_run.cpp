#include "shell/show_run.h"

#include "shell/configurator.h"
#include "shell/demo_context.h"
#include "shell/show_clock.h"

void runFrameLoop(DemoContext& context, const ShowSteps& steps, uint32_t& lastTicks)
{
    bool quit = false;
    for (;;) {
        const uint32_t now = steps.readTicks();
        const uint32_t elapsed = now - lastTicks;  // wraps like the counter does
        lastTicks = now;
        context.showTime = static_cast<int32_t>(steps.readTicks());
        context.frameDelta = frameDeltaFor(elapsed);

        if (!steps.pumpMessages())
            quit = true;  // the frame is still drawn and presented
        steps.drawFrame();

        if (static_cast<uint32_t>(context.showTime) >= showEndTime || context.keys[keyEscape])
            break;
        steps.present();
        if (quit)
            break;
    }
}

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

int runShow(DemoContext& context, const ShowSteps& steps)
{
    context.configurator = new VelloranConfigurator(&context);
    const int launched = steps.runLauncher();
    if (launched < 0)
        return -1;  // nothing was opened; the configurator goes with the context
    // A launcher that could not be shown has said why; that is a failure, not a Quit.
    if (launched != launcherLaunched)
        return 1;

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

    uint32_t lastTicks = 0;
    runFrameLoop(context, steps, lastTicks);
    teardown(context, steps, true, true);
    return 0;
}
