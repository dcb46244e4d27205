#include <gtest/gtest.h>

#include "gl/gl_procs.h"
#include "program/window.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"

TEST(LiveContext, LoaderAcceptsMesaAndFillsTheTable)
{
    DemoContext& context = glTestContext();
    EXPECT_TRUE(context.extensionLoader.loaded);
    EXPECT_GE(context.glVersion.major, 2);
    EXPECT_NE(glProcs.glBlendEquation, nullptr);
    EXPECT_NE(glProcs.glActiveTexture, nullptr);
    EXPECT_NE(glProcs.glCreateShader, nullptr);
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);
    EXPECT_TRUE(hasGlExtension("GL_EXT_framebuffer_object"));
}

TEST(LiveContext, ViewportIsTheLetterbox)
{
    // The window is wider than 16:10: bars of (1366 - 1280) / 2 at each side.
    glTestContext();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 43);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 800);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 1.6, 1e-6) << "perspective for the picture, not the window";
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}
