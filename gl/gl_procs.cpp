#include "gl/gl_procs.h"

#include <cstring>
#include <string>

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

// GL 3.0 made framebuffer objects core under the names without "EXT"; a
// driver that does not list the extension may offer only those.
template <typename Proc>
void fetchFramebufferProc(const GlLoaderSource& source, Proc& slot, const char* name, bool core)
{
    fetch(source, slot, name);
    const size_t length = std::strlen(name);
    if (!slot && core && length > 3 && std::strcmp(name + length - 3, "EXT") == 0)
        fetch(source, slot, std::string(name, length - 3).c_str());
}

bool hasExtensionFrom(const GlLoaderSource& source, const char* name)
{
    return hasExtensionIn(source.glExtensions ? source.glExtensions() : nullptr, name);
}

}  // namespace

GlLoaderSource liveGlLoaderSource(GlLookup lookup)
{
    GlLoaderSource source;
    source.glExtensions = liveGlExtensions;
    source.lookup = lookup;
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
    return hasExtensionIn(liveGlExtensions(), name);
}

bool failGlExtensions(const char* what)
{
    loaderFailure = what;
    return false;
}

bool fetchGlEntryPoints(const GlVersion& version, const GlLoaderSource& source)
{
    loaderFailure = "";
    // glBlendEquation and multitexture are core from OpenGL 1.4 on, and drivers
    // such as Mesa no longer list GL_ARB_imaging, so a 1.4 context is enough.
    const bool core14 = version.major > 1 || (version.major == 1 && version.minor >= 4);
    if (!hasExtensionFrom(source, "GL_ARB_imaging") && !core14)
        return failGlExtensions("GL_ARB_imaging (or OpenGL 1.4)");
#define DUSK_FETCH_PROC(type, name) fetch(source, glProcs.name, #name);
    DUSK_GL_PROCS_IMAGING(DUSK_FETCH_PROC)
    if (!glProcs.glActiveTexture || !glProcs.glClientActiveTexture || !glProcs.glMultiTexCoord1f ||
        !glProcs.glMultiTexCoord2f || !glProcs.glMultiTexCoord3f || !glProcs.glMultiTexCoord4f)
        return failGlExtensions("the multitexture entry points");

    if (version.major < 2)
        return failGlExtensions("OpenGL 2.0");
    DUSK_GL_PROCS_SHADERS(DUSK_FETCH_PROC)
#undef DUSK_FETCH_PROC

    // Framebuffer objects are core from OpenGL 3.0 (and OpenGL ES 3.0) on,
    // where no extension needs to be listed, as imaging is from 1.4.
    const bool core30 = version.major >= 3;
    if (!hasExtensionFrom(source, "GL_EXT_framebuffer_object") && !core30)
        return failGlExtensions("GL_EXT_framebuffer_object");
#define DUSK_FETCH_FRAMEBUFFER_PROC(type, name) fetchFramebufferProc(source, glProcs.name, #name, core30);
    DUSK_GL_PROCS_FRAMEBUFFER(DUSK_FETCH_FRAMEBUFFER_PROC)
#undef DUSK_FETCH_FRAMEBUFFER_PROC
    return true;
}

bool loadGlExtensionsFrom(ExtensionLoader& loader, const GlVersion& version, const GlLoaderSource& source)
{
    if (loader.loaded)
        return true;
    loader.loaded = fetchGlEntryPoints(version, source);
    return loader.loaded;
}

const char* glLoaderFailure()
{
    return loaderFailure;
}
