#pragma once

struct TextureRegistry;

// Binds a named sheet through the registry the composer published; false,
// with nothing bound, when it is not registered.
bool bindShowTexture(const TextureRegistry* textures, const char* name);
