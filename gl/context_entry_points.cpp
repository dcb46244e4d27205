#include <cstdio>

#include "gl/gl_procs.h"
#include "gl/context_entry_points.h"

bool loadContextEntryPoints(GlVersion& glVersion, ExtensionLoader& loader, GlEntryPointLoad load)
{
    readGlVersion(glVersion);
    if (load(loader, glVersion))
        return true;
    std::fprintf(stderr, "duskwheel: the OpenGL driver (version %s) lacks %s\n",
                 glVersion.text ? glVersion.text : "unknown", glLoaderFailure());
    return false;
}
