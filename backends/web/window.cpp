// The show's window is the page's canvas, its context WebGL 2 under the GL
// layer. The canvas keeps the page's size; the show draws its letterbox in it.
#include <emscripten/html5.h>

#include <cstdio>

#include "launcher/show_settings.h"
#include "gl/gl_procs.h"
#include "backends/web/fixed_gl.h"
#include "backends/web/page.h"
#include "backends/web/webgl_context.h"
#include "program/window.h"

namespace {

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
bool layerStarted = false;  // the layer's program made and the entry points loaded

bool loadFromLayer(ExtensionLoader& loader, const GlVersion& version)
{
    return loadGlExtensionsFrom(loader, version, liveGlLoaderSource(lookupGlProc));
}

}  // namespace

// The launcher offers no multisampling on the web, so the context the page
// makes before it (to learn whether the browser has WebGL 2) is the show's.
bool openWebGlContext(bool antialias)
{
    if (context != 0)
        return true;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    // No alpha: the picture is opaque, as a window's is, whatever alpha the show leaves.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_TRUE;
    attributes.antialias = antialias ? EM_TRUE : EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_FALSE;
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0) {
        context = 0;
        return false;
    }
    emscripten_webgl_make_context_current(context);
    return true;
}

bool createGlWindow(const ShowSettings& settings, GlVersion& glVersion, ExtensionLoader& loader)
{
    duskPageSizeCanvas(settings.width, settings.height);
    if (layerStarted)
        return true;  // made while the launcher was open
    if (!openWebGlContext(settings.samples > 0)) {
        std::fprintf(stderr, "duskwheel: this browser gives no WebGL 2 context, which the show needs to draw\n");
        return false;
    }
    const char* why = "";
    if (!startFixedGl(why)) {
        std::fprintf(stderr, "duskwheel: the OpenGL driver (version WebGL 2) lacks %s\n", why);
        destroyGlWindow();
        return false;
    }
    if (!loadContextEntryPoints(glVersion, loader, loadFromLayer)) {
        destroyGlWindow();
        return false;
    }
    layerStarted = true;
    return true;
}

void destroyGlWindow()
{
    if (context == 0)
        return;
    forgetFixedGl();
    emscripten_webgl_destroy_context(context);
    context = 0;
    layerStarted = false;
}

void showDemoWindow()
{
    duskPageShowStarted();
}

bool pumpMessages(bool (&keys)[256])
{
    for (int key = duskPageNextKey(); key != 0; key = duskPageNextKey())
        if (key > 0 && key < 256)
            keys[key] = true;
    return !duskPageQuitAsked();
}

// The browser shows the frame when the animation frame's callback returns;
// what is gathered must be drawn by then.
void presentFrame()
{
    drawGathered(fixedGl());
}
