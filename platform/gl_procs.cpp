#include "platform/gl_procs.h"

#include <cstring>

#include "platform/window.h"
#include "shell/demo_context.h"

GlProcTable glProcs;

namespace {

const char* loaderFailure = "";

const char* liveGlExtensions()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

template <typename Proc>
void fetch(const GlLoaderSource& source, Proc& slot, const char* name)
{
    slot = reinterpret_cast<Proc>(source.lookup(name));
}

bool hasExtensionFrom(const GlLoaderSource& source, const char* name)
{
    return hasExtensionIn(source.glExtensions ? source.glExtensions() : nullptr, name);
}

bool fail(const char* what)
{
    loaderFailure = what;
    return false;
}

}  // namespace

GlLoaderSource liveGlLoaderSource()
{
    GlLoaderSource source;
    source.glExtensions = liveGlExtensions;
    source.lookup = lookupGlProc;
    return source;
}

bool hasExtensionIn(const char* text, const char* name)
{
    if (!text || !name || !*name || std::strchr(name, ' '))
        return false;
    const size_t length = std::strlen(name);
    const char* start = text;
    for (;;) {
        const char* hit = std::strstr(start, name);
        if (!hit)
            return false;
        const bool beginsEntry = hit == start || hit[-1] == ' ';
        const char after = hit[length];
        if (beginsEntry && (after == ' ' || after == '\0'))
            return true;
        // A rejected occurrence moves the start past it, so a name that follows
        // it directly counts as beginning an entry.
        start = hit + length;
    }
}

bool hasGlExtension(const char* name)
{
    return hasExtensionFrom(liveGlLoaderSource(), name);
}

bool hasWglPixelFormatExtension(const ExtensionLoader& loader)
{
    const char* text = nullptr;
    if (glProcs.wglGetExtensionsStringARB)
        text = glProcs.wglGetExtensionsStringARB(loader.owner ? loader.owner->native.deviceContext : nullptr);
    if (glProcs.wglGetExtensionsStringEXT)
        text = glProcs.wglGetExtensionsStringEXT();
    return hasExtensionIn(text, "WGL_ARB_pixel_format");
}

bool loadGlExtensions(ExtensionLoader& loader)
{
    return loadGlExtensionsFrom(loader, liveGlLoaderSource());
}

bool loadGlExtensionsFrom(ExtensionLoader& loader, const GlLoaderSource& source)
{
    if (loader.loaded)
        return true;
    loaderFailure = "";

    fetch(source, glProcs.wglGetExtensionsStringARB, "wglGetExtensionsStringARB");
    if (!glProcs.wglGetExtensionsStringARB)
        fetch(source, glProcs.wglGetExtensionsStringEXT, "wglGetExtensionsStringEXT");
    if (!glProcs.wglGetExtensionsStringARB && !glProcs.wglGetExtensionsStringEXT)
        return fail("wglGetExtensionsStringARB");

    if (hasExtensionFrom(source, "WGL_EXT_swap_control"))
        fetch(source, glProcs.wglSwapIntervalEXT, "wglSwapIntervalEXT");

    // glBlendEquation and multitexture are core from OpenGL 1.4 on, and drivers
    // such as Mesa no longer list GL_ARB_imaging, so a 1.4 context is enough.
    const GlVersion& version = loader.owner ? loader.owner->glVersion : GlVersion();
    const bool core14 = version.major > 1 || (version.major == 1 && version.minor >= 4);
    if (!hasExtensionFrom(source, "GL_ARB_imaging") && !core14)
        return fail("GL_ARB_imaging (or OpenGL 1.4)");
#define DUSK_FETCH_PROC(type, name) fetch(source, glProcs.name, #name);
    DUSK_GL_PROCS_IMAGING(DUSK_FETCH_PROC)
    if (!glProcs.glActiveTexture || !glProcs.glClientActiveTexture || !glProcs.glMultiTexCoord1f ||
        !glProcs.glMultiTexCoord2f || !glProcs.glMultiTexCoord3f || !glProcs.glMultiTexCoord4f)
        return fail("the multitexture entry points");

    if (version.major < 2)
        return fail("OpenGL 2.0");
    DUSK_GL_PROCS_SHADERS(DUSK_FETCH_PROC)

    if (!hasExtensionFrom(source, "GL_EXT_framebuffer_object"))
        return fail("GL_EXT_framebuffer_object");
    DUSK_GL_PROCS_FRAMEBUFFER(DUSK_FETCH_PROC)
#undef DUSK_FETCH_PROC

    if (!hasWglPixelFormatExtension(loader))
        return fail("WGL_ARB_pixel_format");
    fetch(source, glProcs.wglChoosePixelFormatARB, "wglChoosePixelFormatARB");
    loader.loaded = true;
    return true;
}

const char* glLoaderFailure()
{
    return loaderFailure;
}
