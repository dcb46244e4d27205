#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gl/gl_procs.h"

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
int lookups = 0;
bool coreNamesOnly = false;  // a driver that offers framebuffer objects without "EXT"

void APIENTRY fakeProc() {}
const char* fakeGlExtensions() { return fakeGlText.c_str(); }

void* fakeLookup(const char* name)
{
    ++lookups;
    const size_t length = std::strlen(name);
    if (coreNamesOnly && std::strstr(name, "Framebuffer") && std::strcmp(name + length - 3, "EXT") == 0)
        return nullptr;
    return reinterpret_cast<void*>(&fakeProc);
}

struct LoaderFixture : ::testing::Test {
    ExtensionLoader loader;
    GlVersion version;
    GlLoaderSource source{fakeGlExtensions, fakeLookup};
    void SetUp() override
    {
        glProcs = GlProcTable();
        fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object";
        lookups = 0;
        coreNamesOnly = false;
        version.major = 2;
        version.minor = 1;
    }
};

}  // namespace

TEST_F(LoaderFixture, FetchesEverythingOnceAndTheSecondCallFetchesNothing)
{
    ASSERT_TRUE(loadGlExtensionsFrom(loader, version, source));
    EXPECT_TRUE(loader.loaded);
    EXPECT_EQ(lookups, 11 + 50 + 10);
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);
    EXPECT_NE(glProcs.glDisableVertexAttribArray, nullptr);
    lookups = 0;
    EXPECT_TRUE(loadGlExtensionsFrom(loader, version, source));
    EXPECT_EQ(lookups, 0);
}

TEST_F(LoaderFixture, Version15FailsEvenWithEveryExtension)
{
    version.major = 1;
    version.minor = 5;
    EXPECT_FALSE(loadGlExtensionsFrom(loader, version, source));
    EXPECT_FALSE(loader.loaded);
    EXPECT_EQ(glProcs.glCreateShader, nullptr);
    EXPECT_STREQ(glLoaderFailure(), "OpenGL 2.0");
}

TEST_F(LoaderFixture, ImagingMayBeCoreInstead)
{
    fakeGlText = "GL_EXT_framebuffer_object";
    EXPECT_TRUE(loadGlExtensionsFrom(loader, version, source));

    ExtensionLoader old;
    GlVersion older;
    older.major = 1;
    older.minor = 3;
    EXPECT_FALSE(loadGlExtensionsFrom(old, older, source));
    EXPECT_EQ(std::string(glLoaderFailure()).find("GL_ARB_imaging"), 0u);
}

TEST_F(LoaderFixture, MissingFramebufferObjectsFailsBeforeOpenGl30)
{
    fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_objects";
    EXPECT_FALSE(loadGlExtensionsFrom(loader, version, source));
    EXPECT_STREQ(glLoaderFailure(), "GL_EXT_framebuffer_object");
    EXPECT_NE(glProcs.glCreateShader, nullptr);  // fetched before the failing check
    EXPECT_EQ(glProcs.glBindFramebufferEXT, nullptr);
}

TEST_F(LoaderFixture, Gl30AndEs30HaveFramebufferObjectsUnlisted)
{
    // WebGL 2 and core GL 3 contexts list no framebuffer extension.
    fakeGlText = "";
    version.major = 3;
    version.minor = 0;
    ASSERT_TRUE(loadGlExtensionsFrom(loader, version, source)) << glLoaderFailure();
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);

    // A driver with only the core names still fills the table.
    ExtensionLoader coreOnly;
    glProcs = GlProcTable();
    coreNamesOnly = true;
    ASSERT_TRUE(loadGlExtensionsFrom(coreOnly, version, source));
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);
    EXPECT_NE(glProcs.glCheckFramebufferStatusEXT, nullptr);
}
