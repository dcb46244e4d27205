#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/aspect_code.h"
#include "tools/capture/capture_options.h"

namespace {

bool parse(std::vector<const char*> args, CaptureOptions& options, std::string& error)
{
    args.insert(args.begin(), "duskwheel-capture");
    return parseCaptureOptions(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(CaptureOptions, ReadsEveryArgumentAndKeepsDefaults)
{
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--at", "1000,25000,70000"}, options, error)) << error;
    EXPECT_EQ(options.at, (std::vector<int32_t>{1000, 25000, 70000}));
    EXPECT_EQ(options.width, 1280);
    EXPECT_EQ(options.height, 800);
    EXPECT_EQ(options.fps, 60);
    EXPECT_EQ(options.aspect, Ratio16x10);
    EXPECT_EQ(options.out, ".");

    ASSERT_TRUE(parse({"--size", "1920x1080", "--fps", "30", "--out", "frames", "--aspect", "16:9", "--at", "0"},
                      options, error))
        << error;
    EXPECT_EQ(options.width, 1920);
    EXPECT_EQ(options.height, 1080);
    EXPECT_EQ(options.fps, 30);
    EXPECT_EQ(options.out, "frames");
    EXPECT_EQ(options.aspect, Ratio16x9);
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
        {"--at", "0", "--fps", "0"},
        {"--at", "0", "--aspect", "3:2"},
        {"--at", "0", "--frames", "3"},
    };
    for (const auto& args : bad) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << (args.empty() ? "(none)" : args.back());
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(CaptureOptions, VirtualClockCountsWholeMillisecondsOfItsFrames)
{
    EXPECT_EQ(virtualTicks(0, 60), 0u);
    EXPECT_EQ(virtualTicks(1, 60), 16u);
    EXPECT_EQ(virtualTicks(2, 60), 33u);
    EXPECT_EQ(virtualTicks(60, 60), 1000u);
    EXPECT_EQ(virtualTicks(5520, 60), 92000u);
    EXPECT_EQ(virtualTicks(7, 30), 233u);
    EXPECT_EQ(sampleFrameAt(1000), 44100u);
    EXPECT_EQ(sampleFrameAt(25), 1102u);
}
