#include <gtest/gtest.h>

#include "gl/gl_version.h"
#include "frame/viewport.h"
#include "launcher/aspect_code.h"
#include "run/demo_context.h"

namespace {
struct Row {
    int32_t w, h, x, y, pw, ph;
};
}  // namespace

TEST(Letterbox, EveryRowOfTheTable)
{
    const Row rows[] = {
        {1920, 1080, 96, 0, 1728, 1080}, {1280, 720, 64, 0, 1152, 720}, {1366, 768, 69, 0, 1228, 768},
        {1680, 1050, 0, 0, 1680, 1050},  {1280, 1024, 0, 112, 1280, 800}, {1024, 768, 0, 64, 1024, 640},
        {800, 600, 0, 50, 800, 500},     {1280, 800, 0, 0, 1280, 800},
    };
    for (const Row& r : rows) {
        const Letterbox box = fitLetterbox(r.w, r.h);
        EXPECT_EQ(box.x, r.x) << r.w << "x" << r.h;
        EXPECT_EQ(box.y, r.y) << r.w << "x" << r.h;
        EXPECT_EQ(box.width, r.pw) << r.w << "x" << r.h;
        EXPECT_EQ(box.height, r.ph) << r.w << "x" << r.h;
    }
}

TEST(Letterbox, AspectCodesAndRefusals)
{
    EXPECT_FLOAT_EQ(aspectRatioOf(Ratio4x3), 1.3333334f);
    EXPECT_FLOAT_EQ(aspectRatioOf(Ratio16x9), 1.7777778f);
    EXPECT_LT(aspectRatioOf(AspectNone), 0.0f);
    EXPECT_LT(aspectRatioOf(5), 0.0f);
    // Both refusals return before any GL call, so no context is needed here.
    EXPECT_FALSE(setupViewport(AspectNone, 1280, 800, ProjectionSettings()));
    EXPECT_FALSE(setupViewport(Ratio16x10, 1280, 0, ProjectionSettings()));
}

TEST(GlVersionText, MajorIsTheOneCharacterBeforeThePoint)
{
    GlVersion a;
    parseGlVersion("2.1.2", a);
    EXPECT_EQ(a.major, 2);
    EXPECT_EQ(a.minor, 1);
    EXPECT_STREQ(a.text, "2.1");

    GlVersion b;
    parseGlVersion("4.6.0 NVIDIA 535.1", b);
    EXPECT_EQ(b.major, 4);
    EXPECT_EQ(b.minor, 6);

    GlVersion c;
    parseGlVersion("10.2", c);
    EXPECT_EQ(c.major, 0);  // only one digit is read
    EXPECT_EQ(c.minor, 2);

    // The text keeps the first version read.
    parseGlVersion("3.3.0", a);
    EXPECT_EQ(a.major, 3);
    EXPECT_EQ(a.minor, 3);
    EXPECT_STREQ(a.text, "2.1");
    std::free(a.text);
    std::free(b.text);
    std::free(c.text);
}
