#pragma once
#include <cstdint>
#include <functional>

#include "launcher/launcher_outcome.h"

struct DemoContext;
struct ShowSettings;

constexpr uint32_t showEndTime = 92000;
constexpr unsigned char keyEscape = 0x1B;

// frameDelta for a frame that began elapsed milliseconds after the previous
// one: 2.0 per second, and one millisecond's worth (0.002) when none passed.
float frameDeltaFor(uint32_t elapsed);

// Every call the run makes outside the shell, so that the live program, the
// frame renderer and the tests can each plug in their own.
struct ShowSteps {
    std::function<int(ShowSettings&)> runLauncher;  // 1004 with the settings to launch, negative to quit, 0 when it failed
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
    // A player's seek and pause: the show's state carried to a show time by
    // its ticks, the music played from a show time, the music held or going.
    std::function<void(int32_t)> reachTime;
    std::function<void(int32_t)> playMusicFrom;
    std::function<void(bool)> holdMusic;
};

// A show between its start and its end.
struct ShowRun {
    uint32_t lastTicks = 0;  // the clock's previous-frame reading
    int32_t startTime = 0;   // show time when the clock reads 0: where the show started
    bool running = false;
    bool paused = false;     // the show time holds at pausedAt
    int32_t pausedAt = 0;
};

// What follows the launcher: with 1004, takes the settings, opens the window,
// loads, makes the composer and starts the clock, the fades and the music.
// Returns 0 when the show runs, -1 when the launcher was left, 1 when the
// launcher, the window or the loading failed (the failing step has said why
// on stderr; what was made is given back).
int launchShow(DemoContext& context, const ShowSteps& steps, int launched, const ShowSettings& settings,
               ShowRun& run);

// One frame, for a host that owns the loop: the clock, the events, the
// picture and, unless the show is over, the swap. False once the show has
// ended (its end time, Escape, or a quit, whose frame is still presented).
bool stepShow(DemoContext& context, const ShowSteps& steps, ShowRun& run);

// A player going on live from another show time: the ticks run to it
// without drawing, the clock reads it from now on and the music plays from
// it, so picture and sound meet again. A paused show stays paused there.
// The page's position bar seeks with it.
void seekShow(const ShowSteps& steps, ShowRun& run, int32_t showTime);

// Holds the show time and the music together, or lets both go on from
// where they stopped. The frames go on, each the same picture.
void pauseShow(const ShowSteps& steps, ShowRun& run, bool paused);

// Gives back what launchShow made, once the last step returned false.
void endShow(DemoContext& context, const ShowSteps& steps, ShowRun& run);

// Start-up, frame loop and teardown: the launcher, launchShow, stepShow
// until the end, endShow. Returns -1 when the launcher was left, 0 after the
// show, 1 when the launcher, the window or the loading failed.
int runShow(DemoContext& context, const ShowSteps& steps);

// The frame loop alone: runs until the show ends, Escape is down or a quit
// was taken. lastTicks is the clock's previous-frame reading.
void runFrameLoop(DemoContext& context, const ShowSteps& steps, uint32_t& lastTicks);
