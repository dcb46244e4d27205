#include "frame/show_resources.h"

#include "assets/texture_registry.h"

ShowResources gShowResources;

bool bindShowTexture(const char* name)
{
    // Before the composer publishes the registry, or after it goes, nothing is bound rather than a crash.
    return gShowResources.textures && gShowResources.textures->bind(name);
}
