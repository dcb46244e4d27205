// The Windows backend's whole entry-point table: the WGL names around the GL
// part, in the order and with the checks the program has always had.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "backends/win32/wgl_procs.h"

namespace {

std::string fakeGlText;
std::string fakeWglText;
int lookups = 0;
bool offerSwapControl = true;

void APIENTRY fakeProc() {}
const char* fakeGlExtensions() { return fakeGlText.c_str(); }
const char* APIENTRY fakeWglExtensions(HDC) { return fakeWglText.c_str(); }

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

struct WglLoaderFixture : ::testing::Test {
    ExtensionLoader loader;
    GlVersion version;
    GlLoaderSource source{fakeGlExtensions, fakeLookup};
    void SetUp() override
    {
        glProcs = GlProcTable();
        wglProcs = WglProcTable();
        fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object WGL_EXT_swap_control";
        fakeWglText = "WGL_ARB_extensions_string WGL_ARB_pixel_format";
        lookups = 0;
        offerSwapControl = true;
        version.major = 2;
        version.minor = 1;
    }
};

}  // namespace

TEST_F(WglLoaderFixture, FetchesEverythingOnceAndTheSecondCallFetchesNothing)
{
    ASSERT_TRUE(loadWglExtensionsFrom(loader, version, source, nullptr));
    EXPECT_TRUE(loader.loaded);
    EXPECT_EQ(lookups, 1 + 1 + 11 + 50 + 10 + 1);
    EXPECT_NE(glProcs.glBindFramebufferEXT, nullptr);
    EXPECT_NE(wglProcs.wglSwapIntervalEXT, nullptr);
    EXPECT_NE(wglProcs.wglChoosePixelFormatARB, nullptr);
    lookups = 0;
    EXPECT_TRUE(loadWglExtensionsFrom(loader, version, source, nullptr));
    EXPECT_EQ(lookups, 0);
}

TEST_F(WglLoaderFixture, NoSwapControlStillSucceeds)
{
    fakeGlText = "GL_ARB_imaging GL_EXT_framebuffer_object";
    EXPECT_TRUE(loadWglExtensionsFrom(loader, version, source, nullptr));
    EXPECT_EQ(wglProcs.wglSwapIntervalEXT, nullptr);
}

TEST_F(WglLoaderFixture, MissingExtensionStringOrPixelFormatFails)
{
    fakeWglText = "WGL_ARB_pixel_format_float";
    EXPECT_FALSE(loadWglExtensionsFrom(loader, version, source, nullptr));
    EXPECT_STREQ(glLoaderFailure(), "WGL_ARB_pixel_format");
    EXPECT_FALSE(loader.loaded);

    ExtensionLoader bare;
    glProcs = GlProcTable();
    GlLoaderSource noWgl{fakeGlExtensions, [](const char* name) -> void* {
                             return std::strncmp(name, "wgl", 3) == 0 ? nullptr
                                                                      : reinterpret_cast<void*>(&fakeProc);
                         }};
    EXPECT_FALSE(loadWglExtensionsFrom(bare, version, noWgl, nullptr));
    EXPECT_STREQ(glLoaderFailure(), "wglGetExtensionsStringARB");
    EXPECT_EQ(glProcs.glCreateShader, nullptr) << "nothing past the first check is fetched";
}
