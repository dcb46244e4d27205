#include "frame/show_resources.h"

#include "assets/texture_registry.h"

ShowResources gShowResources;

bool bindShowTexture(const char* name)
{
    return gShowResources.textures && gShowResources.textures->bind(name);
}
