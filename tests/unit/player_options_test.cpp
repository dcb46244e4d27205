#include <gtest/gtest.h>

#include <vector>

#include "launcher/player_options.h"
#include "tests/unit/launcher_fixtures.h"

namespace {

struct Parsed {
    bool ok;
    PlayerOptions options;
    std::string error;
};

Parsed parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "duskwheel");
    Parsed p;
    p.ok = parsePlayerOptions(static_cast<int>(args.size()), args.data(), p.options, p.error);
    return p;
}

}  // namespace

TEST(PlayerOptions, EachOptionAndTheWrongOnes)
{
    EXPECT_EQ(parse({}).options.action, PlayerOptions::RunLauncher);
    EXPECT_EQ(parse({"--help"}).options.action, PlayerOptions::ShowHelp);
    EXPECT_EQ(parse({"--version"}).options.action, PlayerOptions::ShowVersion);
    EXPECT_EQ(parse({"--data", "/srv/show"}).options.dataFolder, "/srv/show");

    const Parsed all = parse({"--play", "--size", "1280x800", "--windowed", "--aspect", "16:9", "--no-vsync", "--mute"});
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_EQ(all.options.action, PlayerOptions::Play);
    EXPECT_EQ(all.options.width, 1280);
    EXPECT_EQ(all.options.height, 800);
    EXPECT_TRUE(all.options.windowed);
    EXPECT_EQ(all.options.aspect, Ratio16x9) << "the launcher's list position is the aspect code";
    EXPECT_FALSE(all.options.vsync);
    EXPECT_FALSE(all.options.music);

    const struct {
        std::vector<const char*> args;
        const char* says;
    } wrong[] = {
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"-fullscreen"}, "unknown option '-fullscreen'"},
        {{"song.mp3", "--bogus"}, "unknown option '--bogus'"},
        {{"--play", "--size"}, "--size needs a value"},
        {{"--play", "--size", "1280"}, "--size: '1280' is not WIDTHxHEIGHT"},
        {{"--play", "--size", "0x800"}, "--size: '0x800' is not WIDTHxHEIGHT"},
        {{"--play", "--size", "1280x800x2"}, "--size: '1280x800x2' is not WIDTHxHEIGHT"},
        {{"--play", "--aspect", "3:2"}, "--aspect: '3:2' is not one of auto, 4:3, 5:4, 16:9, 16:10"},
        {{"--data", ""}, "--data: the folder name is empty"},
        {{"--windowed"}, "--size, --windowed, --aspect, --no-vsync and --mute go with --play"},
        {{"song.mp3", "--windowed"}, "--size, --windowed, --aspect, --no-vsync and --mute go with --play"},
    };
    for (const auto& c : wrong) {
        const Parsed p = parse(c.args);
        EXPECT_FALSE(p.ok) << c.says;
        EXPECT_EQ(p.error, c.says);
    }
}

TEST(PlayerOptions, WordsThatAreNoOptionArePassedOver)
{
    const struct {
        std::vector<const char*> args;
        PlayerOptions::Action action;
        std::vector<std::string> ignored;
    } rows[] = {
        {{"C:\\Shows\\song.mp3"}, PlayerOptions::RunLauncher, {"C:\\Shows\\song.mp3"}},
        {{"/autorun", "--play", "x y", "--mute"}, PlayerOptions::Play, {"/autorun", "x y"}},
        {{""}, PlayerOptions::RunLauncher, {""}},
        {{"--data", "Show", "Show"}, PlayerOptions::RunLauncher, {"Show"}},  // the value is no stray word
        {{"--play", "--size", "1280x800"}, PlayerOptions::Play, {}},
    };
    for (const auto& row : rows) {
        const Parsed p = parse(row.args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.options.action, row.action);
        EXPECT_EQ(p.options.ignored, row.ignored);
    }
    EXPECT_FALSE(parse({"--play", "song.mp3", "--mute"}).options.music) << "what follows a stray word still counts";
}

TEST(PlayerOptions, PlayFillsTheContextThroughTheLauncherModel)
{
    const DisplaySource& displays = FakeDisplays::with({mode(1024, 768), mode(1920, 1080)}, mode(1920, 1080));
    DemoContext context(&displays);
    const LauncherLists lists = makeLauncherLists(context, displays);
    LauncherChoices choices;
    std::string error;

    ASSERT_TRUE(playerChoices(parse({"--play"}).options, lists, choices, error)) << error;
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.width, 1920) << "the desktop's resolution by default";
    EXPECT_TRUE(context.fullscreen);
    EXPECT_TRUE(context.musicEnabled);
    EXPECT_EQ(context.aspect, Ratio16x9) << "Auto follows the desktop";

    ASSERT_TRUE(playerChoices(parse({"--play", "--size", "1024x768", "--windowed", "--aspect", "5:4", "--mute"}).options,
                              lists, choices, error));
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.width, 1024);
    EXPECT_EQ(context.height, 768);
    EXPECT_FALSE(context.fullscreen);
    EXPECT_FALSE(context.musicEnabled);
    EXPECT_EQ(context.aspect, Ratio5x4);

    EXPECT_FALSE(playerChoices(parse({"--play", "--size", "800x600"}).options, lists, choices, error));
    EXPECT_EQ(error, "--size 800x600 is not a display mode of this display");
}
