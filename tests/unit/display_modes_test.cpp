#include <gtest/gtest.h>

#include "launcher_fixtures.h"
#include "launcher/display_modes.h"
#include "launcher/aspect_code.h"

namespace {

std::vector<DisplayMode> enumerate(std::vector<DisplayMode> driver)
{
    std::vector<DisplayMode> list = {mode(1, 1)};  // anything left over must go
    enumerateDisplayModes(FakeDisplays::with(std::move(driver), mode(1024, 768)), list);
    return list;
}

}  // namespace

TEST(DisplayModeList, OneEntryPerResolutionTheFirstListed)
{
    const std::vector<DisplayMode> list = enumerate({mode(1024, 768, 32, 60), mode(1024, 768, 32, 75),
                                                     mode(1024, 768, 32, 85)});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].width, 1024u);
    EXPECT_EQ(list[0].height, 768u);
    EXPECT_EQ(list[0].refreshRate, 60u);
}

TEST(DisplayModeList, OnlyThirtyTwoBitModesEnter)
{
    const std::vector<DisplayMode> mixed = enumerate(
        {mode(1024, 768, 8), mode(1024, 768, 16), mode(1280, 1024, 24), mode(800, 600, 32), mode(1024, 768, 32, 75)});
    ASSERT_EQ(mixed.size(), 2u);
    EXPECT_EQ(mixed[0].width, 800u);
    // The 8- and 16-bit modes of 1024x768 did not claim its place.
    EXPECT_EQ(mixed[1].width, 1024u);
    EXPECT_EQ(mixed[1].refreshRate, 75u);

    EXPECT_TRUE(enumerate({mode(1024, 768, 8), mode(800, 600, 16), mode(640, 480, 24)}).empty());
    EXPECT_TRUE(enumerate({}).empty());
}

TEST(DisplayModeList, KeepsTheDriversOrder)
{
    const std::vector<DisplayMode> list =
        enumerate({mode(1024, 768), mode(800, 600), mode(1920, 1080), mode(800, 600, 32, 75), mode(640, 480)});
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].width, 1024u);
    EXPECT_EQ(list[1].width, 800u);
    EXPECT_EQ(list[2].width, 1920u);
    EXPECT_EQ(list[3].width, 640u);
}

TEST(DisplayModeList, HasResolutionComparesWidthAndHeight)
{
    const std::vector<DisplayMode> list = {mode(1024, 768), mode(1280, 1024)};
    EXPECT_FALSE(hasResolution({}, mode(1024, 768)));
    EXPECT_TRUE(hasResolution(list, mode(1280, 1024, 16, 85)));
    EXPECT_FALSE(hasResolution(list, mode(1024, 1024)));
    EXPECT_FALSE(hasResolution(list, mode(1280, 768)));
}

TEST(DesktopAspect, EveryRowOfTheTable)
{
    struct Row {
        uint32_t width, height;
        int32_t code;
    };
    const Row rows[] = {
        {1024, 768, Ratio4x3},   {1280, 960, Ratio4x3},    {1600, 1200, Ratio4x3},  {1280, 1024, Ratio5x4},
        {1440, 900, Ratio16x10}, {1680, 1050, Ratio16x10}, {1920, 1200, Ratio16x10}, {1280, 720, Ratio16x9},
        {1920, 1080, Ratio16x9}, {1366, 768, AspectNone},  {1360, 768, AspectNone}, {800, 600, Ratio4x3},
    };
    for (const Row& r : rows)
        EXPECT_EQ(detectDesktopAspect(FakeDisplays::with({}, mode(r.width, r.height))), r.code)
            << r.width << "x" << r.height;
}

TEST(DesktopAspect, UnreadableDesktopGivesNone)
{
    EXPECT_EQ(detectDesktopAspect(FakeDisplays::with({mode(1024, 768)}, mode(1024, 768), false)), AspectNone);
    EXPECT_EQ(detectDesktopAspect(FakeDisplays::with({}, mode(1024, 0))), AspectNone);
    EXPECT_EQ(detectDesktopAspect(DisplaySource{}), AspectNone);
}
