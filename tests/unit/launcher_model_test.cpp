#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_fixtures.h"
#include "launcher/launcher_model.h"
#include "launcher/show_settings.h"

namespace {

using Texts = std::vector<std::string>;

const std::vector<DisplayMode> driver = {mode(1024, 768), mode(1920, 1080), mode(1920, 1080, 32, 75),
                                         mode(800, 600, 16), mode(800, 600)};

}  // namespace

TEST(LauncherModel, ListsAndPreselection)
{
    const DisplaySource& displays = FakeDisplays::with(driver, mode(1920, 1080));
    ShowSettings context;
    const LauncherLists lists = makeLauncherLists(displays);
    EXPECT_EQ(lists.resolutions, (Texts{"1024x768", "1920x1080", "800x600"}));
    EXPECT_EQ(lists.aspects, (Texts{"Auto", "4:3", "5:4", "16:9", "16:10"}));
    EXPECT_EQ(lists.multisampling, Texts{"None"});

    const LauncherChoices initial = initialLauncherChoices(lists);
    EXPECT_EQ(initial.resolution, 1);
    EXPECT_EQ(initial.aspect, 0);
    EXPECT_EQ(initial.multisampling, 0);
    EXPECT_TRUE(initial.fullscreen && initial.vsync && initial.music);
    EXPECT_EQ(resolutionCaption(lists, initial), "1920x1080");

    // Enter straight away: the desktop's resolution, fullscreen, music on.
    ASSERT_TRUE(applyLauncherChoices(lists, initial, context));
    EXPECT_EQ(context.width, 1920);
    EXPECT_EQ(context.height, 1080);
    EXPECT_EQ(context.colorBits, 32);
    EXPECT_EQ(context.aspect, Ratio16x9);
    EXPECT_EQ(context.samples, 0);
    EXPECT_TRUE(context.fullscreen);
    EXPECT_TRUE(context.vsync);
    EXPECT_TRUE(context.music);
}

TEST(LauncherModel, MultisamplingDoublesUpToTheMaximum)
{
    const DisplaySource& displays = FakeDisplays::with(driver, mode(1920, 1080));
    ShowSettings context;
    EXPECT_EQ(makeLauncherLists(displays, 6).multisampling, (Texts{"None", "2x", "4x"}));
    const LauncherLists lists = makeLauncherLists(displays, 8);
    EXPECT_EQ(lists.multisampling, (Texts{"None", "2x", "4x", "8x"}));
    EXPECT_EQ(makeLauncherLists(displays, INT32_MAX).multisampling.size(), 31u);

    LauncherChoices choices = initialLauncherChoices(lists);
    choices.multisampling = 2;
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.samples, 4);
    choices.multisampling = -1;
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.samples, 0);
}

TEST(LauncherModel, AspectIsTheListPositionAndAutoTheDesktops)
{
    struct Row {
        DisplayMode desktop;
        int entry;
        int32_t code;
    };
    const Row rows[] = {
        {mode(1920, 1080), 1, Ratio4x3},    {mode(1920, 1080), 2, Ratio5x4},
        {mode(1920, 1080), 3, Ratio16x9},   {mode(1920, 1080), 4, Ratio16x10},
        {mode(1680, 1050), 0, Ratio16x10},  {mode(1366, 768), 0, AspectNone},
        {mode(1280, 1024), 0, Ratio5x4},
    };
    for (const Row& r : rows) {
        const DisplaySource& displays = FakeDisplays::with(driver, r.desktop);
        ShowSettings context;
        const LauncherLists lists = makeLauncherLists(displays);
        LauncherChoices choices = initialLauncherChoices(lists);
        choices.resolution = 0;
        choices.aspect = r.entry;
        ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
        EXPECT_EQ(context.aspect, r.code) << r.desktop.width << "x" << r.desktop.height << " entry " << r.entry;
    }

    // No aspect entry selected leaves the aspect as it was.
    const DisplaySource& displays = FakeDisplays::with(driver, mode(1920, 1080));
    ShowSettings context;
    context.aspect = Ratio5x4;
    const LauncherLists lists = makeLauncherLists(displays);
    LauncherChoices choices = initialLauncherChoices(lists);
    choices.aspect = -1;
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.aspect, Ratio5x4);
}

TEST(LauncherModel, SwitchesAndThePickedResolution)
{
    const DisplaySource& displays = FakeDisplays::with(driver, mode(1920, 1080));
    ShowSettings context;
    const LauncherLists lists = makeLauncherLists(displays);
    LauncherChoices choices = initialLauncherChoices(lists);
    choices.resolution = 2;
    choices.music = false;
    choices.fullscreen = false;
    choices.vsync = false;
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.width, 800);
    EXPECT_EQ(context.height, 600);
    EXPECT_FALSE(context.music);
    EXPECT_FALSE(context.fullscreen);
    EXPECT_FALSE(context.vsync);
}

TEST(LauncherModel, DesktopResolutionMissingFromTheList)
{
    const DisplaySource& displays = FakeDisplays::with(driver, mode(1366, 768));
    ShowSettings context;
    const LauncherLists lists = makeLauncherLists(displays);
    LauncherChoices choices = initialLauncherChoices(lists);
    EXPECT_EQ(choices.resolution, -1);
    EXPECT_EQ(resolutionCaption(lists, choices), "");
    EXPECT_FALSE(canLaunch(lists, choices));
    EXPECT_FALSE(applyLauncherChoices(lists, choices, context));
    EXPECT_TRUE(settingsUntouched(context));

    choices.resolution = 0;
    EXPECT_TRUE(canLaunch(lists, choices));
    choices.resolution = 3;  // past the end
    EXPECT_FALSE(canLaunch(lists, choices));
}

TEST(LauncherModel, EmptyListLaunchesAtTheDesktopResolution)
{
    const std::vector<DisplayMode> sixteenBit = {mode(1024, 768, 16)};
    const DisplaySource& displays = FakeDisplays::with(sixteenBit, mode(1440, 900, 16));
    ShowSettings context;
    const LauncherLists lists = makeLauncherLists(displays);
    ASSERT_TRUE(lists.displayModes.empty());
    const LauncherChoices choices = initialLauncherChoices(lists);
    EXPECT_EQ(resolutionCaption(lists, choices), "1440x900");
    ASSERT_TRUE(applyLauncherChoices(lists, choices, context));
    EXPECT_EQ(context.width, 1440);
    EXPECT_EQ(context.height, 900);
    EXPECT_EQ(context.colorBits, 32);
    EXPECT_EQ(context.aspect, Ratio16x10);

    // Nothing listed and no desktop to fall back on: nothing to launch at.
    const DisplaySource& blind = FakeDisplays::with({}, mode(0, 0), false);
    ShowSettings nothing;
    const LauncherLists none = makeLauncherLists(blind);
    EXPECT_FALSE(canLaunch(none, initialLauncherChoices(none)));
    EXPECT_FALSE(applyLauncherChoices(none, initialLauncherChoices(none), nothing));
    EXPECT_TRUE(settingsUntouched(nothing));
}
