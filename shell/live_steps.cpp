#include "composer/frame_composer.h"
#include "music/sound/sound.h"
#include "platform/gl_procs.h"
#include "platform/launcher.h"
#include "platform/window.h"
#include "shell/configurator.h"
#include "shell/demo_context.h"
#include "shell/show_clock.h"
#include "shell/show_run.h"

namespace {
FrameComposer* composer = nullptr;
}

ShowSteps liveShowSteps(DemoContext& context)
{
    DemoContext* c = &context;
    ShowSteps steps;
    steps.runLauncher = [c] { return runLauncher(*c); };
    steps.openWindow = [c] { return openDemoWindow(*c); };
    steps.load = [c] { return c->configurator->load(); };
    steps.makeComposer = [c] { composer = new FrameComposer(c->music, c->textures, c->shaders); };
    steps.startClock = [] { return gShowClock.start(); };
    steps.resetFades = [] { composer->resetScreenFades(); };
    steps.startMusic = [c] { c->music.start(*c); };
    steps.readTicks = [] { return gShowClock.ticks.load(std::memory_order_relaxed); };
    steps.pumpMessages = [c] { return pumpMessages(*c); };
    steps.drawFrame = [c] {
        composer->draw(c->showTime, c->frameDelta);
        composer->drawScreenFades(c->showTime);
        glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    };
    steps.present = [c] { presentFrame(*c); };
    steps.stopClock = [] { gShowClock.stop(); };
    steps.stopMusic = [] { soundStop(); };
    steps.destroyWindow = [c] { destroyGlWindow(*c); };
    steps.deleteComposer = [] {
        delete composer;
        composer = nullptr;
    };
    return steps;
}
