#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "run/configurator.h"
#include "run/demo_context.h"
#include "run/show_run.h"

namespace {

// A run's context on a sound layer with no backend: the steps here are fakes
// and play nothing.
struct QuietLayer {
    SoundLayer sound{SoundBackend{}};
};
struct TestContext : QuietLayer, DemoContext {
    TestContext() : DemoContext(sound) {}
};

// A platform that records every call and plays back a scripted clock.
struct FakePlatform {
    std::vector<std::string> log;
    std::vector<uint32_t> ticks;  // one value per clock read, the last one repeats
    size_t tickIndex = 0;
    int launcherResult = launcherLaunched;
    bool openResult = true;
    bool loadResult = true;
    int quitAtFrame = -1;    // pump reports a quit in this frame
    int escapeAtFrame = -1;  // pump sees Escape in this frame
    int frame = 0;
    std::vector<int32_t> shownTimes;
    std::vector<float> deltas;

    ShowSteps steps(DemoContext& context)
    {
        ShowSteps s;
        s.runLauncher = [this](ShowSettings&) { log.push_back("launcher"); return launcherResult; };
        s.openWindow = [this] { log.push_back("open"); return openResult; };
        s.load = [this] { log.push_back("load"); return loadResult; };
        s.makeComposer = [this] { log.push_back("composer"); };
        s.startClock = [this] { log.push_back("clock"); return true; };
        s.resetFades = [this] { log.push_back("fades"); };
        s.startMusic = [this, &context] { log.push_back("music"); context.musicStarted = true; };
        s.readTicks = [this] {
            const uint32_t t = ticks[tickIndex < ticks.size() ? tickIndex : ticks.size() - 1];
            ++tickIndex;
            return t;
        };
        s.pumpMessages = [this, &context] {
            if (frame == escapeAtFrame)
                context.keys[keyEscape] = true;
            return frame != quitAtFrame;
        };
        s.drawFrame = [this, &context] {
            log.push_back("draw");
            deltas.push_back(context.frameDelta);
            ++frame;
        };
        s.present = [this, &context] {
            log.push_back("present");
            shownTimes.push_back(context.showTime);
        };
        s.stopClock = [this] { log.push_back("stop-clock"); };
        s.stopMusic = [this] { log.push_back("stop-music"); };
        s.destroyWindow = [this, &context] {
            log.push_back(context.configurator ? "destroy-window(configurator alive)" : "destroy-window");
        };
        s.deleteComposer = [this] { log.push_back("delete-composer"); };
        return s;
    }
};

std::vector<std::string> tail(const std::vector<std::string>& log, size_t n)
{
    return std::vector<std::string>(log.end() - static_cast<long>(n), log.end());
}

}  // namespace

TEST(FrameDelta, CountsTwoPerSecondAndNeverZero)
{
    EXPECT_FLOAT_EQ(frameDeltaFor(0), 0.002f);
    EXPECT_FLOAT_EQ(frameDeltaFor(1), 0.002f);
    EXPECT_FLOAT_EQ(frameDeltaFor(40), 0.08f);
    EXPECT_FLOAT_EQ(frameDeltaFor(1000), 2.0f);
}

TEST(FrameLoop, FirstFrameIsCountedFromTheClockStart)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {16, 16, 92000, 92000};
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_FLOAT_EQ(fake.deltas[0], 16 / 500.0f);
}

TEST(FrameLoop, ElapsedWrapsInUnsigned32Bits)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {8, 8, 92000, 92000};
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0xFFFFFFF0u;  // 0xFFFFFFF0 -> 8 is 24 ms
    runFrameLoop(context, steps, last);
    EXPECT_FLOAT_EQ(fake.deltas[0], 24 / 500.0f);
}

TEST(FrameLoop, SameMillisecondGivesOneMillisecondsDelta)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {5, 5, 5, 5, 92000, 92000};
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_FLOAT_EQ(fake.deltas[1], 0.002f);
}

TEST(FrameLoop, ShowEndsAt92000WithoutPresentingThatFrame)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {91999, 91999, 92000, 92000, 93000};
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_EQ(fake.shownTimes, std::vector<int32_t>{91999});
    EXPECT_EQ(fake.frame, 2);
}

TEST(FrameLoop, SecondClockReadGivesTheShowTime)
{
    TestContext context;
    FakePlatform fake;
    // The second read of the frame is a millisecond ahead; showTime takes it.
    fake.ticks = {91999, 92000};
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_TRUE(fake.shownTimes.empty());
    EXPECT_EQ(context.showTime, 92000);
}

TEST(FrameLoop, EscapeEndsTheFrameItWasPumpedInWithoutPresenting)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {10};
    fake.escapeAtFrame = 2;
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_EQ(fake.frame, 3);
    EXPECT_EQ(fake.shownTimes.size(), 2u);
}

TEST(FrameLoop, QuitMessagePresentsOneMoreFrame)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {10};
    fake.quitAtFrame = 1;
    ShowSteps steps = fake.steps(context);
    uint32_t last = 0;
    runFrameLoop(context, steps, last);
    EXPECT_EQ(fake.frame, 2);
    EXPECT_EQ(fake.shownTimes.size(), 2u);
}

TEST(ShowRun, StartsAndTearsDownInOrder)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {92000};
    EXPECT_EQ(runShow(context, fake.steps(context)), 0);
    const std::vector<std::string> start(fake.log.begin(), fake.log.begin() + 8);
    EXPECT_EQ(start, (std::vector<std::string>{"launcher", "open", "load", "composer", "clock", "fades", "music",
                                               "draw"}));
    EXPECT_EQ(tail(fake.log, 4),
              (std::vector<std::string>{"stop-clock", "stop-music", "destroy-window", "delete-composer"}));
    EXPECT_FALSE(context.musicStarted);
    EXPECT_EQ(context.configurator, nullptr);
}

TEST(ShowRun, LauncherLeftReturnsMinusOneAndOpensNothing)
{
    TestContext context;
    FakePlatform fake;
    fake.launcherResult = -1;
    EXPECT_EQ(runShow(context, fake.steps(context)), -1);
    EXPECT_EQ(fake.log, std::vector<std::string>{"launcher"});
    EXPECT_NE(context.configurator, nullptr);  // freed with the context at exit

    // A launcher that could not be shown is a failure, not a launch.
    TestContext unshown;
    FakePlatform blind;
    blind.launcherResult = launcherUnavailable;
    EXPECT_EQ(runShow(unshown, blind.steps(unshown)), 1);
    EXPECT_EQ(blind.log, std::vector<std::string>{"launcher"});
}

TEST(ShowRun, MusicThatNeverStartedIsNotStopped)
{
    TestContext context;
    FakePlatform fake;
    fake.ticks = {92000};
    ShowSteps steps = fake.steps(context);
    steps.startMusic = [] {};
    EXPECT_EQ(runShow(context, steps), 0);
    for (const std::string& entry : fake.log)
        EXPECT_NE(entry, "stop-music");
}

TEST(ShowRun, FailedWindowOrLoadEndsInOrderWithOne)
{
    for (int failing = 0; failing < 2; ++failing) {
        TestContext context;
        FakePlatform fake;
        fake.openResult = failing != 0;
        fake.loadResult = false;
        EXPECT_EQ(runShow(context, fake.steps(context)), 1);
        EXPECT_EQ(fake.log.back(), "destroy-window");
        for (const std::string& entry : fake.log)
            EXPECT_NE(entry, "draw");
    }
}

TEST(ShowRun, AHostDrivingOneStepAtATimeGetsTheSameRun)
{
    TestContext looped;
    FakePlatform loop;
    loop.ticks = {5, 5, 40, 40, 92000, 92000};
    ASSERT_EQ(runShow(looped, loop.steps(looped)), 0);

    TestContext hosted;
    FakePlatform host;
    host.ticks = loop.ticks;
    const ShowSteps steps = host.steps(hosted);
    ShowSettings settings;
    settings.width = 640;
    ShowRun run;
    ASSERT_EQ(launchShow(hosted, steps, launcherLaunched, settings, run), 0);
    EXPECT_EQ(hosted.settings.width, 640) << "the launcher's settings reach the context";
    int steppedFrames = 0;
    while (stepShow(hosted, steps, run))
        ++steppedFrames;
    endShow(hosted, steps, run);
    endShow(hosted, steps, run);  // a second end gives back nothing twice

    EXPECT_EQ(steppedFrames + 1, loop.frame);
    EXPECT_EQ(host.shownTimes, loop.shownTimes);
    EXPECT_EQ(host.deltas, loop.deltas);
    EXPECT_EQ(std::vector<std::string>(host.log.begin(), host.log.end()),
              std::vector<std::string>(loop.log.begin() + 1, loop.log.end()))
        << "the same steps in the same order, less the launcher the host showed itself";
    EXPECT_EQ(launchShow(hosted, steps, launcherLeft, settings, run), -1);
}

TEST(ShowRun, AStartTimeASeekAndAPauseMoveTheShowTimeAndTheMusicTogether)
{
    TestContext context;
    FakePlatform fake;
    ShowSteps steps = fake.steps(context);
    steps.reachTime = [&fake](int32_t t) { fake.log.push_back("reach " + std::to_string(t)); };
    steps.playMusicFrom = [&fake](int32_t t) { fake.log.push_back("music from " + std::to_string(t)); };
    steps.holdMusic = [&fake](bool hold) { fake.log.push_back(hold ? "hold music" : "music on"); };
    ShowSettings settings;
    settings.startTime = 25000;
    ShowRun run;
    const auto clockAt = [&fake](uint32_t ms) {
        fake.ticks = {ms};
        fake.tickIndex = 0;
    };
    clockAt(0);
    ASSERT_EQ(launchShow(context, steps, launcherLaunched, settings, run), 0);
    std::vector<int32_t> times;
    const auto frameAt = [&](uint32_t ms) {
        clockAt(ms);
        stepShow(context, steps, run);
        times.push_back(context.showTime);
    };
    frameAt(0);
    frameAt(10);
    clockAt(20);
    seekShow(steps, run, 60000);
    frameAt(20);
    clockAt(30);
    pauseShow(steps, run, true);
    frameAt(30);
    frameAt(50);
    clockAt(70);
    pauseShow(steps, run, false);
    frameAt(70);
    frameAt(80);
    EXPECT_EQ(times, (std::vector<int32_t>{25000, 25010, 60000, 60010, 60010, 60010, 60020}));
    std::vector<std::string> calls;
    for (const std::string& entry : fake.log)
        if (entry != "draw" && entry != "present")
            calls.push_back(entry);
    EXPECT_EQ(tail(calls, 4), (std::vector<std::string>{"reach 60000", "music from 60000", "hold music", "music on"}));
}
