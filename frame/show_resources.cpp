#include "frame/show_resources.h"

#include "assets/texture_registry.h"

bool bindShowTexture(const TextureRegistry* textures, const char* name)
{
    // Before the composer publishes the registry, or after it goes, nothing is bound rather than a crash.
    return textures && textures->bind(name);
}
