// The same frame at any display rate, and a show started part way: the frame
// loop's one-frame step on a virtual clock, every frame drawn at 320 x 200 in
// a corner of the test window, against the golden frames (the capture's).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <stb_image.h>  // built in capture_gl_test.cpp

#include "assets/show_assets.h"
#include "composer/frame_composer.h"
#include "frame/viewport.h"
#include "gl/gl.h"
#include "music/show_music.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "program/live_steps.h"
#include "run/demo_context.h"
#include "run/show_run.h"
#include "run/virtual_clock.h"
#include "tests/gl/gl_test_context.h"

namespace {

constexpr int32_t width = 320;
constexpr int32_t height = 200;
const std::string sourceFile = __FILE__;
const std::string goldenDir = sourceFile.substr(0, sourceFile.rfind("/gl/")) + "/golden";

using Picture = std::vector<unsigned char>;  // RGB, top row first

Picture readCorner()
{
    Picture rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    for (int32_t y = 0; y < height; ++y)
        glReadPixels(0, height - 1 - y, width, 1, GL_RGB, GL_UNSIGNED_BYTE, &rgb[static_cast<size_t>(y) * width * 3]);
    return rgb;
}

Picture golden(int32_t t)
{
    char name[32];
    std::snprintf(name, sizeof name, "/frame_%05d.png", t);
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load((goldenDir + name).c_str(), &w, &h, &channels, 3);
    if (!pixels || w != width || h != height)
        return {};
    Picture rgb(pixels, pixels + static_cast<size_t>(w) * h * 3);
    stbi_image_free(pixels);
    return rgb;
}

// At most 0.5 a channel on average and 0.1 % of pixels off by more than 8.
void expectSame(const Picture& got, const Picture& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    double sum = 0;
    int64_t off = 0;
    for (size_t i = 0; i < got.size(); i += 3) {
        int largest = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(got[i + c] - want[i + c]);
            sum += d;
            largest = std::max(largest, d);
        }
        off += largest > 8;
    }
    const double mean = sum / static_cast<double>(got.size());
    std::printf("%s: mean %.3f, %lld pixels off by more than 8\n", what.c_str(), mean, static_cast<long long>(off));
    EXPECT_LE(mean, 0.5) << what;
    EXPECT_LE(off, width * height / 1000) << what << ": mean " << mean;
}

// The show's own music, textures and shaders, the spectrum taken at each
// tick's time.
struct LoadedShow {
    SoundLayer sound{platformSoundBackend()};
    DemoContext context{sound};
    LiveShow live;
    bool loaded = false;
    LoadedShow()
    {
        soundUseExplicitPosition(sound, true);
        loaded = loadShowMusic(context.music);
        loadShowShaders(context.shaders);
        loadShowTextures(context.textures, context.pictures);
    }
};

LoadedShow& loadedShow()
{
    glTestContext();
    static LoadedShow show;
    return show;
}

// The live steps on a virtual clock at fps from startTime, every frame drawn
// into the corner; keeps the frames at the listed times.
std::map<int32_t, Picture> playFrames(int64_t fps, const std::vector<int32_t>& keep, int32_t startTime = 0)
{
    LoadedShow& show = loadedShow();
    DemoContext& context = show.context;
    VirtualClock clock;
    clock.rate = FrameRate{fps, 1};
    const uint64_t last = framesBefore(keep.back() - startTime, clock.rate);
    std::map<int32_t, Picture> kept;
    ShowSteps steps = liveShowSteps(context, show.live);
    steps.openWindow = [&context] {
        context.settings.width = width;
        context.settings.height = height;
        setupViewport(Ratio16x10, width, height, context.projection);
        glEnable(GL_SCISSOR_TEST);
        return true;
    };
    steps.load = [] { return true; };
    steps.startClock = [&clock] {
        clock.start();
        return true;
    };
    steps.readTicks = [&clock] { return clock.ticks(); };
    steps.pumpMessages = [&clock, last] { return clock.frame < last; };
    steps.drawFrame = [&, liveDraw = steps.drawFrame] {
        // Every frame is drawn; those not kept only into one pixel, to spare the rasteriser.
        const bool wanted = std::count(keep.begin(), keep.end(), context.showTime) > 0;
        glScissor(0, 0, wanted ? width : 1, wanted ? height : 1);
        liveDraw();
        if (wanted)
            kept[context.showTime] = readCorner();
        clock.advance();
    };
    steps.present = [] {};
    steps.stopClock = [] {};
    steps.destroyWindow = [] {
        glDisable(GL_SCISSOR_TEST);
        const DemoContext& test = glTestContext();
        setupViewport(test.settings.aspect, test.settings.width, test.settings.height, test.projection);
    };
    ShowSettings settings;
    settings.startTime = startTime;
    ShowRun run;
    EXPECT_EQ(launchShow(context, steps, launcherLaunched, settings, run), 0);
    while (stepShow(context, steps, run)) {
    }
    endShow(context, steps, run);
    return kept;
}

}  // namespace

TEST(ShowRates, TheSameFrameAtAnyDisplayRate)
{
    ASSERT_TRUE(loadedShow().loaded) << "no Data/music.mp3 in the build folder";
    // On the 60 Hz grid, with golden frames; 25125, 52125 and 66125 fall between
    // two ticks, where only 144 and 240 frames a second draw; so does 25131.
    const std::vector<int32_t> onGrid = {12000, 25000, 40000, 52000, 66000, 86000};
    const std::vector<int32_t> between = {25125, 52125, 66125};
    const std::vector<int32_t> keep = {12000, 25000, 25125, 25131, 40000, 52000, 52125, 66000, 66125, 86000};
    std::map<int64_t, std::map<int32_t, Picture>> rates;
    for (int64_t fps : {30, 60, 144, 240})
        rates[fps] = playFrames(fps, keep);
    for (const auto& [fps, frames] : rates) {
        for (int32_t t : onGrid) {
            ASSERT_TRUE(frames.count(t)) << fps << " fps drew no frame at " << t;
            expectSame(frames.at(t), golden(t), std::to_string(fps) + " fps at " + std::to_string(t) + " ms");
        }
    }
    for (int32_t t : between)
        expectSame(rates[144].at(t), rates[240].at(t), "144 against 240 fps at " + std::to_string(t) + " ms");
    // Two consecutive 144 Hz frames between the ticks at 25116 and 25133: not frozen.
    EXPECT_NE(rates[144].at(25125), rates[144].at(25131));
}

TEST(ShowRates, AShowStartedAt25000DrawsTheCapturesFrameFirst)
{
    ASSERT_TRUE(loadedShow().loaded) << "no Data/music.mp3 in the build folder";
    const std::map<int32_t, Picture> first = playFrames(60, {25000}, 25000);
    ASSERT_TRUE(first.count(25000));
    expectSame(first.at(25000), golden(25000), "the first frame from 25000");
}
