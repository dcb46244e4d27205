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

    const Parsed all = parse({"--play", "--size", "1280x800", "--windowed", "--aspect", "16:9", "--no-vsync", "--mute",
                             "--from", "25000"});
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_EQ(all.options.action, PlayerOptions::Play);
    EXPECT_EQ(all.options.width, 1280);
    EXPECT_EQ(all.options.height, 800);
    EXPECT_TRUE(all.options.windowed);
    EXPECT_EQ(all.options.aspect, Ratio16x9) << "the launcher's list position is the aspect code";
    EXPECT_FALSE(all.options.vsync);
    EXPECT_FALSE(all.options.music);
    EXPECT_EQ(all.options.startTime, 25000);
    EXPECT_EQ(parse({"--play", "--from", "91999"}).options.startTime, 91999);

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
        {{"--play", "--from", "92000"}, "--from: '92000' is not a show time from 0 to 91999 ms"},
        {{"--play", "--from", "-1"}, "--from: '-1' is not a show time from 0 to 91999 ms"},
        {{"--play", "--from", "1s"}, "--from: '1s' is not a show time from 0 to 91999 ms"},
        {{"--play", "--from", ""}, "--from: '' is not a show time from 0 to 91999 ms"},
        {{"--windowed"}, "--size, --windowed, --aspect, --no-vsync, --mute and --from go with --play"},
        {{"song.mp3", "--windowed"}, "--size, --windowed, --aspect, --no-vsync, --mute and --from go with --play"},
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

TEST(PlayerOptions, PlayFillsTheSettingsThroughTheLauncherModel)
{
    const DisplaySource& displays = FakeDisplays::with({mode(1024, 768), mode(1920, 1080)}, mode(1920, 1080));
    const LauncherLists lists = makeLauncherLists(displays);
    ShowSettings settings;
    std::string error;

    ASSERT_TRUE(playerSettings(parse({"--play"}).options, lists, settings, error)) << error;
    EXPECT_EQ(settings.width, 1920) << "the desktop's resolution by default";
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.music);
    EXPECT_EQ(settings.aspect, Ratio16x9) << "Auto follows the desktop";

    ASSERT_TRUE(playerSettings(parse({"--play", "--size", "1024x768", "--windowed", "--aspect", "5:4", "--mute"}).options,
                               lists, settings, error));
    EXPECT_EQ(settings.width, 1024);
    EXPECT_EQ(settings.height, 768);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_FALSE(settings.music);
    EXPECT_EQ(settings.aspect, Ratio5x4);

    // A window needs no display mode, only room on the desktop; fullscreen needs a listed mode.
    struct Row {
        std::vector<const char*> args;
        const char* error;  // "" when it plays
    };
    const Row rows[] = {
        {{"--play", "--windowed", "--size", "800x600"}, ""},
        {{"--play", "--windowed", "--size", "64x64"}, ""},
        {{"--play", "--windowed", "--size", "1920x1080"}, ""},
        {{"--play", "--size", "800x600"}, "--size 800x600 is not a display mode of this display"},
        {{"--play", "--windowed", "--size", "63x600"}, "--size 63x600 is smaller than the smallest window, 64x64"},
        {{"--play", "--windowed", "--size", "1921x600"}, "--size 1921x600 is larger than the desktop"},
        {{"--play", "--windowed", "--size", "800x1081"}, "--size 800x1081 is larger than the desktop"},
    };
    for (const Row& r : rows) {
        settings = ShowSettings();
        error.clear();
        const Parsed p = parse(r.args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(playerSettings(p.options, lists, settings, error), !*r.error) << r.args[3];
        EXPECT_EQ(error, r.error);
        if (!*r.error) {
            EXPECT_EQ(std::to_string(settings.width) + "x" + std::to_string(settings.height), r.args[3]);
            EXPECT_EQ(settings.colorBits, 32);
            EXPECT_FALSE(settings.fullscreen);
        }
    }
}
