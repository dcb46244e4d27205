#pragma once

struct ShaderRegistry;
struct TextureRegistry;

// What the composer hands to the band and scene code when it is made; all
// null before that, and nothing may draw until then.
struct ShowResources {
    const TextureRegistry* textures = nullptr;
    const ShaderRegistry* shaders = nullptr;
    const float* backgroundColour = nullptr;  // RGBA, also the bands' fog colour
    const float* bandAngles = nullptr;        // one per band, degrees
};

extern ShowResources gShowResources;

// Binds a named sheet through the published registry; false, with nothing
// bound, when it is not registered.
bool bindShowTexture(const char* name);
