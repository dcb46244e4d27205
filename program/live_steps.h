#pragma once
#include <memory>

#include "program/show_clock.h"
#include "run/show_run.h"

class FrameComposer;
struct DemoContext;

// What the live steps hold beside the context while the show runs: its
// clock and, once loaded, its composer.
struct LiveShow {
    ShowClock clock;
    std::unique_ptr<FrameComposer> composer;
    LiveShow();
    ~LiveShow();
    LiveShow(const LiveShow&) = delete;
    LiveShow& operator=(const LiveShow&) = delete;
};

// The steps of the real program on this platform.
ShowSteps liveShowSteps(DemoContext& context, LiveShow& show);

// Sets samples to 0, creates the window and context from the context's
// settings, shows the window and sets the viewport and projection.
bool openDemoWindow(DemoContext& context);
