#pragma once

struct ShaderRegistry;
struct TextureRegistry;

// Compiles "PP_VERT" and "PP_FRAG" and links "PP".
void loadShowShaders(ShaderRegistry& shaders);
// Reads the seven images of the Data folder into their named textures; a
// missing or unreadable image gives an all-zero texture.
void loadShowTextures(TextureRegistry& textures);
