#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "launcher/aspect_code.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/frame_pipe.h"
#include "tools/capture/progress.h"

namespace {

bool parse(std::vector<const char*> args, CaptureOptions& options, std::string& error)
{
    args.insert(args.begin(), "duskwheel-capture");
    return parseCaptureOptions(static_cast<int>(args.size()), args.data(), options, error);
}

const FrameRate ntsc{30000, 1001};

}  // namespace

TEST(CaptureOptions, ReadsEveryArgumentAndKeepsDefaults)
{
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--at", "1000,25000,70000"}, options, error)) << error;
    EXPECT_EQ(options.at, (std::vector<int32_t>{1000, 25000, 70000}));
    EXPECT_EQ(options.width, 1280);
    EXPECT_EQ(options.height, 800);
    EXPECT_EQ(options.fps.num, 60);
    EXPECT_EQ(options.fps.den, 1);
    EXPECT_EQ(options.aspect, Ratio16x10);
    EXPECT_EQ(options.out, ".");
    EXPECT_TRUE(options.video.empty());

    ASSERT_TRUE(parse({"--size", "1920x1080", "--fps", "30", "--out", "frames", "--aspect", "16:9", "--at", "0"},
                      options, error))
        << error;
    EXPECT_EQ(options.width, 1920);
    EXPECT_EQ(options.height, 1080);
    EXPECT_EQ(options.fps.num, 30);
    EXPECT_EQ(options.out, "frames");
    EXPECT_EQ(options.aspect, Ratio16x9);

    ASSERT_TRUE(parse({"--video", "show.MKV", "--from", "1000", "--to", "5000", "--crf", "23", "--quiet"}, options,
                      error))
        << error;
    EXPECT_EQ(options.video, "show.MKV");
    EXPECT_EQ(options.from, 1000);
    EXPECT_EQ(options.to, 5000);
    EXPECT_EQ(options.crf, 23);
    EXPECT_TRUE(options.quiet);

    ASSERT_TRUE(parse({"--video", "show.mp4"}, options, error)) << error;
    EXPECT_EQ(options.from, 0);
    EXPECT_EQ(options.to, 92000);
    EXPECT_GE(options.crf, 16);
    EXPECT_LE(options.crf, 18);

    ASSERT_TRUE(parse({"--draw-only", "--size", "1279x719"}, options, error)) << error;
    EXPECT_TRUE(options.drawOnly);
    ASSERT_TRUE(parse({"--at", "nonsense", "--help"}, options, error));
    EXPECT_TRUE(options.help);
}

TEST(CaptureOptions, RefusesWhatItCannotUseWithAReason)
{
    const std::vector<std::vector<const char*>> bad = {
        {},
        {"--at", "3000,1000"},
        {"--at", "92001"},
        {"--at", "1000,"},
        {"--at", "1e3"},
        {"--at", "0", "--size", "1280"},
        {"--at", "0", "--size", "0x0"},
        {"--at", "0", "--size", "40000x100"},
        {"--at", "0", "--fps", "0"},
        {"--at", "0", "--aspect", "3:2"},
        {"--at", "0", "--frames", "3"},
        {"--at", "0", "--video", "a.mp4"},
        {"--at", "0", "--from", "10"},
        {"--at", "0", "--crf", "20"},
        {"--video", "a.mp4", "--draw-only"},
        {"--video", "a.mp4", "--out", "frames"},
        {"--video", "a.avi"},
        {"--video", "mp4"},
        {"--video", ".mp4"},
        {"--video", ""},
        {"--video", "a.mp4", "--size", "321x200"},
        {"--video", "a.mp4", "--from", "5000", "--to", "5000"},
        {"--video", "a.mp4", "--from", "6000", "--to", "5000"},
        {"--video", "a.mp4", "--to", "92001"},
        {"--video", "a.mp4", "--crf", "52"},
        {"--video", "a.mp4", "--fps", "1", "--from", "100", "--to", "900"},  // no frame between
        {"--draw-only", "--crf", "20"},
        {"--video"},
    };
    for (const auto& args : bad) {
        CaptureOptions options;
        std::string error;
        std::string shown;
        for (const char* arg : args)
            shown += std::string(arg) + " ";
        EXPECT_FALSE(parse(args, options, error)) << shown;
        EXPECT_FALSE(error.empty()) << shown;
        EXPECT_EQ(error.find('\n'), std::string::npos) << shown;
    }
}

TEST(CaptureOptions, FrameRatesAreExactFractions)
{
    const struct {
        const char* text;
        int64_t num;
        int64_t den;
    } good[] = {
        {"60", 60, 1},          {"50", 50, 1},       {"30000/1001", 30000, 1001}, {"59.94", 60000, 1001},
        {"29.97", 30000, 1001}, {"23.976", 24000, 1001}, {"12.5", 25, 2},        {"25.0", 25, 1},
        {"120/2", 60, 1},       {"0.5", 1, 2},       {"1000", 1000, 1},           {"29.9", 299, 10},
    };
    for (const auto& rate : good) {
        FrameRate parsed;
        ASSERT_TRUE(parseFrameRate(rate.text, parsed)) << rate.text;
        EXPECT_EQ(parsed.num, rate.num) << rate.text;
        EXPECT_EQ(parsed.den, rate.den) << rate.text;
    }
    for (const char* text : {"0", "-30", "0/1", "30/0", "1001", "1000.5", "abc", "60fps", "1.2.3", "", "/", ".5",
                             "30000/", "1/2000000", "29.9700001"}) {
        FrameRate parsed;
        EXPECT_FALSE(parseFrameRate(text, parsed)) << text;
    }
}

TEST(CaptureOptions, VirtualClockCountsWholeMillisecondsOfItsFrames)
{
    EXPECT_EQ(virtualTicks(0, FrameRate{60, 1}), 0u);
    EXPECT_EQ(virtualTicks(1, FrameRate{60, 1}), 16u);
    EXPECT_EQ(virtualTicks(2, FrameRate{60, 1}), 33u);
    EXPECT_EQ(virtualTicks(60, FrameRate{60, 1}), 1000u);
    EXPECT_EQ(virtualTicks(5520, FrameRate{60, 1}), 92000u);
    EXPECT_EQ(virtualTicks(7, FrameRate{30, 1}), 233u);
    EXPECT_EQ(virtualTicks(1, ntsc), 33u);
    EXPECT_EQ(virtualTicks(2757, ntsc), 91991u);
    EXPECT_EQ(sampleFrameAt(1000), 44100u);
    EXPECT_EQ(sampleFrameAt(25), 1102u);
    EXPECT_EQ(framesBefore(3000, FrameRate{30, 1}), 90u);
    EXPECT_EQ(framesBefore(92000, ntsc), 2758u);
}

TEST(CaptureOptions, FramesBeforeFindsTheFirstFrameAtOrAfterEachTime)
{
    for (const FrameRate rate : {FrameRate{60, 1}, FrameRate{30, 1}, ntsc, FrameRate{60000, 1001}, FrameRate{25, 2}}) {
        for (int32_t ms = 0; ms <= 92000; ms += 7) {
            const uint64_t first = framesBefore(ms, rate);
            EXPECT_GE(virtualTicks(first, rate), static_cast<uint32_t>(ms)) << rate.num << "/" << rate.den << " " << ms;
            if (first > 0) {
                EXPECT_LT(virtualTicks(first - 1, rate), static_cast<uint32_t>(ms)) << rate.num << "/" << rate.den;
            }
        }
    }
}

TEST(CaptureOptions, PicturesAndMusicStayInStepOverTheWholeShow)
{
    // Every frame's show time is within a millisecond of its place in the
    // video, and the music under the frames ends where the last one does.
    for (const FrameRate rate : {ntsc, FrameRate{60000, 1001}, FrameRate{24000, 1001}, FrameRate{60, 1}}) {
        const uint64_t frames = framesBefore(92000, rate);
        for (uint64_t n = 0; n < frames; ++n) {
            const double videoMs = 1000.0 * static_cast<double>(n) * rate.den / rate.num;
            const double shown = virtualTicks(n, rate);
            ASSERT_LE(videoMs - shown, 1.0) << rate.num << "/" << rate.den << " frame " << n;
            ASSERT_GE(videoMs - shown, 0.0) << rate.num << "/" << rate.den << " frame " << n;
        }
        const double samplesPerFrame = 44100.0 * rate.den / rate.num;
        const double music = static_cast<double>(samplesInFrames(frames, rate));
        EXPECT_NEAR(music, static_cast<double>(sampleFrameAt(92000)), samplesPerFrame) << rate.num;
    }
}

TEST(CaptureOptions, DriverLimitsBoundBothSides)
{
    const int32_t viewport[2] = {16384, 8192};
    const struct {
        int32_t width, height, renderbuffer;
        bool fits;
    } cases[] = {
        {3840, 2160, 16384, true}, {16384, 8192, 16384, true}, {16385, 100, 16384, false},
        {100, 8193, 16384, false}, {8192, 100, 4096, false},   {100, 4097, 4096, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitsDriverLimits(c.width, c.height, c.renderbuffer, viewport), c.fits)
            << c.width << "x" << c.height << " in " << c.renderbuffer;
}

TEST(CaptureProgress, SaysTimeAndSizeAsPeopleReadThem)
{
    EXPECT_EQ(durationText(4.6), "0:05");
    EXPECT_EQ(durationText(92), "1:32");
    EXPECT_EQ(durationText(3723), "1:02:03");
    EXPECT_EQ(sizeText(812), "812 B");
    EXPECT_EQ(sizeText(412000), "412 kB");
    EXPECT_EQ(sizeText(38540000), "38.5 MB");
    const std::string line = progressText(2760, 5520, 60.0);
    EXPECT_NE(line.find("50%"), std::string::npos) << line;
    EXPECT_NE(line.find("2760 of 5520"), std::string::npos) << line;
    EXPECT_NE(line.find("46.0 fps"), std::string::npos) << line;
    EXPECT_NE(line.find("1:00 left"), std::string::npos) << line;
}

TEST(CaptureFramePipe, HandsFramesOverInOrderAndWaitsForFreeBuffers)
{
    FramePipe pipe(16, 2);
    uint8_t* a = pipe.acquire();
    uint8_t* b = pipe.acquire();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    pipe.submit(a);
    pipe.submit(b);
    EXPECT_EQ(pipe.next(), a);
    pipe.release(a);
    EXPECT_EQ(pipe.acquire(), a);  // the only free one
    EXPECT_EQ(pipe.next(), b);
    pipe.submit(a);
    pipe.finish();
    EXPECT_EQ(pipe.next(), a);  // what was submitted still comes after finish
    EXPECT_EQ(pipe.next(), nullptr);

    FramePipe closed(16, 1);
    closed.close();
    EXPECT_EQ(closed.acquire(), nullptr);
    EXPECT_EQ(closed.next(), nullptr);

    EXPECT_EQ(pipeDepthFor(320 * 200 * 4), 8u);
    EXPECT_EQ(pipeDepthFor(size_t{16384} * 16384 * 4), 2u);
}

TEST(CaptureFramePipe, AnEncoderThreadSeesEveryFrameOnceInOrder)
{
    FramePipe pipe(sizeof(int), 3);
    std::vector<int> seen;
    std::thread encoder([&] {
        while (uint8_t* frame = pipe.next()) {
            seen.push_back(*reinterpret_cast<int*>(frame));
            pipe.release(frame);
        }
    });
    for (int i = 0; i < 500; ++i) {
        uint8_t* frame = pipe.acquire();
        ASSERT_NE(frame, nullptr);
        *reinterpret_cast<int*>(frame) = i;
        pipe.submit(frame);
    }
    pipe.finish();
    encoder.join();
    ASSERT_EQ(seen.size(), 500u);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(seen[i], i);
}

TEST(CaptureFramePipe, ARendererWaitingForRoomWakesWhenTheEncoderGivesUp)
{
    FramePipe pipe(16, 1);
    uint8_t* only = pipe.acquire();
    pipe.submit(only);
    std::thread encoder([&] { pipe.close(); });
    EXPECT_EQ(pipe.acquire(), nullptr);  // would wait for ever without the close
    encoder.join();
}
