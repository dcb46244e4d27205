#include <gtest/gtest.h>

#include "frame/screen_fades.h"

namespace {

struct Fades {
    int32_t done[fadeCount] = {0, 0};
    FadeStep steps[fadeCount];
    // Alpha of entry i at this frame, or -1 when it draws nothing.
    float alphaAt(uint32_t t, int i)
    {
        planScreenFades(t, done, steps);
        if (!steps[i].draws)
            return -1.0f;
        const FadeEntry& f = fadeTable[i];
        return (1.0f - steps[i].t) * f.fromAlpha + steps[i].t * f.toAlpha;
    }
};

}  // namespace

TEST(ScreenFades, FadeInFromBlackOverTheFirstTwoSeconds)
{
    Fades fades;
    EXPECT_EQ(fades.alphaAt(0, 0), 1.0f);
    EXPECT_EQ(fades.alphaAt(1000, 0), 0.5f);
    EXPECT_EQ(fades.alphaAt(2000, 0), 0.0f);
    EXPECT_EQ(fades.done[0], 0);
    // The first frame after the window draws it once more, invisibly, and closes it.
    EXPECT_EQ(fades.alphaAt(2001, 0), 0.0f);
    EXPECT_EQ(fades.done[0], 1);
    EXPECT_EQ(fades.alphaAt(2017, 0), -1.0f);
    EXPECT_EQ(fades.alphaAt(0, 0), -1.0f);  // done stays done
}

TEST(ScreenFades, FadeOutToBlackOverTheLastTwoSeconds)
{
    Fades fades;
    EXPECT_EQ(fades.alphaAt(89999, 1), -1.0f);
    EXPECT_EQ(fades.alphaAt(90000, 1), 0.0f);
    EXPECT_EQ(fades.alphaAt(91000, 1), 0.5f);
    EXPECT_EQ(fades.alphaAt(92000, 1), 1.0f);
    EXPECT_EQ(fades.done[1], 0);
    EXPECT_EQ(fades.alphaAt(92001, 1), 1.0f);
    EXPECT_EQ(fades.done[1], 1);
}

TEST(ScreenFades, AFrameThatSkipsTheWholeFadeStillClosesIt)
{
    Fades fades;
    EXPECT_EQ(fades.alphaAt(5000, 0), 0.0f);
    EXPECT_EQ(fades.done[0], 1);
    EXPECT_EQ(fades.alphaAt(5000, 1), -1.0f);
    EXPECT_EQ(fades.done[1], 0);
}

TEST(ScreenFades, ResetMakesBothPendingAgain)
{
    int32_t done[fadeCount] = {1, 1};
    resetScreenFades(done);
    EXPECT_EQ(done[0], 0);
    EXPECT_EQ(done[1], 0);
}
