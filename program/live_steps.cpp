#include "program/live_steps.h"

#include "composer/frame_composer.h"
#include "music/sound/sound.h"
#include "gl/gl_procs.h"
#include "program/launcher.h"
#include "program/window.h"
#include "run/configurator.h"
#include "run/demo_context.h"

LiveShow::LiveShow() = default;
LiveShow::~LiveShow() = default;

bool openDemoWindow(DemoContext& context)
{
    context.settings.samples = 0;
    if (!createGlWindow(context.settings, context.glVersion, context.extensionLoader))
        return false;
    showDemoWindow();
    context.projection.nearPlane = 0.01f;
    context.projection.farPlane = 10000.0f;
    const ShowSettings& s = context.settings;
    // With no known aspect (Auto on an odd desktop) GL's defaults would stretch
    // the picture over the whole window; the 16:10 letterbox is what every known
    // ratio gets, so it is the sensible picture here too.
    if (!setupViewport(s.aspect, s.width, s.height, context.projection))
        setupViewport(Ratio16x10, s.width, s.height, context.projection);
    return true;
}

ShowSteps liveShowSteps(DemoContext& context, LiveShow& show)
{
    DemoContext* c = &context;
    LiveShow* live = &show;
    ShowSteps steps;
    steps.runLauncher = [](ShowSettings&) { return launcherUnavailable; };  // runPlayer sets the real one
    steps.openWindow = [c] { return openDemoWindow(*c); };
    steps.load = [c] { return c->configurator->load(); };
    steps.makeComposer = [c, live] {
        live->composer.reset(new FrameComposer(c->music, c->textures, c->shaders));
        // A show started part way finds its state as the ticks before would have left it.
        if (c->settings.startTime > 0)
            live->composer->reach(c->settings.startTime);
    };
    steps.startClock = [live] { return live->clock.start(); };
    steps.resetFades = [live] { live->composer->resetScreenFades(); };
    steps.startMusic = [c] {
        c->music.start(c->settings.music, c->settings.startTime);
        c->musicStarted = true;
    };
    steps.readTicks = [live] { return live->clock.ticks.load(std::memory_order_relaxed); };
    steps.pumpMessages = [c] { return pumpMessages(c->keys); };
    steps.drawFrame = [c, live] {
        live->composer->draw(c->showTime);
        live->composer->drawScreenFades();
        glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    };
    steps.present = [] { presentFrame(); };
    steps.stopClock = [live] { live->clock.stop(); };
    steps.stopMusic = [c] { soundStop(c->music.sound); };
    steps.destroyWindow = [] { destroyGlWindow(); };
    steps.deleteComposer = [live] { live->composer.reset(); };
    steps.reachTime = [live](int32_t showTime) { live->composer->reach(showTime); };
    steps.playMusicFrom = [c](int32_t showTime) { c->music.playFrom(showTime); };
    steps.holdMusic = [c](bool hold) {
        if (hold)
            soundStop(c->music.sound);
        else
            soundStart(c->music.sound);
    };
    return steps;
}
