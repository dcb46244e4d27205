#include <cstdio>

#include "platform/gl_procs.h"
#include "platform/viewport.h"
#include "platform/window.h"
#include "shell/demo_context.h"

bool openDemoWindow(DemoContext& context)
{
    context.samples = 0;
    if (!createGlWindow(context, context.width, context.height, context.fullscreen, context.colorBits, 0))
        return false;
    showDemoWindow(context);
    projectionSettings.nearPlane = 0.01f;
    projectionSettings.farPlane = 10000.0f;
    // With no known aspect (Auto on an odd desktop) GL's defaults would stretch
    // the picture over the whole window; the 16:10 letterbox is what every known
    // ratio gets, so it is the sensible picture here too.
    if (!setupViewport(context.aspect, context.width, context.height))
        setupViewport(Ratio16x10, context.width, context.height);
    return true;
}

bool loadContextEntryPoints(DemoContext& context)
{
    readGlVersion(context);
    if (loadGlExtensions(context.extensionLoader))
        return true;
    std::fprintf(stderr, "duskwheel: the OpenGL driver (version %s) lacks %s\n",
                 context.glVersion.text ? context.glVersion.text : "unknown", glLoaderFailure());
    return false;
}
