#pragma once
#include <cstdint>
#include <functional>

struct DemoContext;

constexpr uint32_t showEndTime = 92000;
constexpr int launcherLaunched = 1004;
constexpr int launcherLeft = -1;
// The launcher could not be shown at all (no display); it has said why.
constexpr int launcherUnavailable = 0;
constexpr unsigned char keyEscape = 0x1B;

// Every call the run makes outside the shell, so that the live program, the
// frame renderer and the tests can each plug in their own.
struct ShowSteps {
    std::function<int()> runLauncher;     // 1004 to launch, negative to quit, 0 when it failed
    std::function<bool()> openWindow;
    std::function<bool()> load;           // the configurator's load
    std::function<void()> makeComposer;
    std::function<bool()> startClock;
    std::function<void()> resetFades;
    std::function<void()> startMusic;
    std::function<uint32_t()> readTicks;
    std::function<bool()> pumpMessages;   // false once a quit was taken
    std::function<void()> drawFrame;      // composer, final pass, default framebuffer
    std::function<void()> present;
    std::function<void()> stopClock;
    std::function<void()> stopMusic;
    std::function<void()> destroyWindow;
    std::function<void()> deleteComposer;
};

// Start-up, frame loop and teardown. Returns -1 when the launcher was left,
// 0 after the show, 1 when the launcher, the window or the loading failed
// (the failing step has said why on stderr).
int runShow(DemoContext& context, const ShowSteps& steps);

// The frame loop alone: runs until the show ends, Escape is down or a quit
// was taken. lastTicks is the clock's previous-frame reading.
void runFrameLoop(DemoContext& context, const ShowSteps& steps, uint32_t& lastTicks);

// The steps of the real program on this platform.
ShowSteps liveShowSteps(DemoContext& context);
