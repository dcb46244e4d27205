#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gl_procs.h"
#include "shell/demo_context.h"

TEST(ExtensionSearch, WholeEntriesOnly)
{
    const char* text = "GL_EXT_framebuffer_objectX GL_ARB_imaging";
    EXPECT_FALSE(hasExtensionIn(text, "GL_EXT_framebuffer_object"));
    EXPECT_TRUE(hasExtensionIn(text, "GL_ARB_imaging"));
    EXPECT_FALSE(hasExtensionIn("XGL_ARB_imaging GL_foo", "GL_ARB_imaging"));
    EXPECT_TRUE(hasExtensionIn("GL_foo GL_ARB_imaging", "GL_ARB_imaging"));
    EXPECT_FALSE(hasExtensionIn("GL_A GL_B", ""));
    EXPECT_FALSE(hasExtensionIn("GL_A GL_B", "GL_A GL_B"));
    EXPECT_FALSE(hasExtensionIn(nullptr, "GL_A"));
}

TEST(ExtensionSearch, OccurrenceRightAfterARejectedOneCounts)
{
    // "GL_AGL_A": the first occurrence is followed by a letter and rejected;
    // the second begins where the search restarts, so it counts.
    EXPECT_TRUE(hasExtensionIn("GL_AGL_A", "GL_A"));
    EXPECT_FALSE(hasExtensionIn("GL_AGL_AB", "GL_A"));
}

namespace {

std::string fakeGlText;
std::string fakeWglText;
int lookups = 0;
bool offerSwapControl = true;

void APIENTRY fakeProc() {}
const char* fakeGlExtensions() { return fakeGlText.c_str(); }
const char* APIENTRY fakeWglExtensions(void*) { return fakeWglText.c_str(); }

void* fakeLookup(const char* name)
{
    ++lookups;
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
        return reinterpret_cast<void*>(&fakeWglExtensions);
    if (std::strncmp(name, "wgl", 3) == 0 && std::strcmp(name, "wglChoosePixelFormatARB") != 0 &&
        !(offerSwapControl && std::strcmp(name, "wglSwapIntervalEXT") == 0))
        return nullptr;
    return reinterpret_cast<void*>(&fakeProc);
}

struct LoaderFixture : ::testing::Test {
    DemoContext context;
    GlLoaderSource source{fakeGlExtensions, fakeLookup};
    void SetUp() override
    {
        glProcs = GlProcTable();
        fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object WGL_EXT_swap_control";
        fakeWglText = "WGL_ARB_extensions_string WGL_ARB_pixel_format";
        lookups = 0;
        offerSwapControl = true;
        context.glVersion.major = 2;
        context.glVersion.minor = 1;
    }
};

}  // namespace

TEST_F(LoaderFixture, FetchesEverythingOnceAndTheSecondCallFetchesNothing)
{
    ASSERT_TRUE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_TRUE(context.extensionLoader.loaded);
    EXPECT_EQ(lookups, 1 + 1 + 11 + 50 + 10 + 1);
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);
    EXPECT_NE(glProcs.glDisableVertexAttribArray, nullptr);
    EXPECT_NE(glProcs.wglSwapIntervalEXT, nullptr);
    lookups = 0;
    EXPECT_TRUE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_EQ(lookups, 0);
}

TEST_F(LoaderFixture, Version15FailsEvenWithEveryExtension)
{
    context.glVersion.major = 1;
    context.glVersion.minor = 5;
    EXPECT_FALSE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_FALSE(context.extensionLoader.loaded);
    EXPECT_EQ(glProcs.glCreateShader, nullptr);
    EXPECT_STREQ(glLoaderFailure(), "OpenGL 2.0");
}

TEST_F(LoaderFixture, NoSwapControlStillSucceeds)
{
    fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object";
    EXPECT_TRUE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_EQ(glProcs.wglSwapIntervalEXT, nullptr);
}

TEST_F(LoaderFixture, ImagingMayBeCoreInstead)
{
    fakeGlText = "GL_EXT_framebuffer_object";
    EXPECT_TRUE(loadGlExtensionsFrom(context.extensionLoader, source));

    DemoContext old;
    old.glVersion.major = 1;
    old.glVersion.minor = 3;
    EXPECT_FALSE(loadGlExtensionsFrom(old.extensionLoader, source));
    EXPECT_EQ(std::string(glLoaderFailure()).find("GL_ARB_imaging"), 0u);
}

TEST_F(LoaderFixture, MissingFramebufferObjectsOrPixelFormatFails)
{
    fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_objects";
    EXPECT_FALSE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_STREQ(glLoaderFailure(), "GL_EXT_framebuffer_object");
    EXPECT_NE(glProcs.glCreateShader, nullptr);  // fetched before the failing check
    EXPECT_EQ(glProcs.glBindFramebufferEXT, nullptr);

    fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object";
    fakeWglText = "WGL_ARB_pixel_format_float";
    EXPECT_FALSE(loadGlExtensionsFrom(context.extensionLoader, source));
    EXPECT_STREQ(glLoaderFailure(), "WGL_ARB_pixel_format");
}
