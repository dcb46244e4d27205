#pragma once
#include <cstdint>

struct ShaderRegistry;
struct TextureRegistry;

// One picture of the show: its file, the texture it becomes, and the size
// that texture has whatever the file says.
struct ShowImage {
    const char* file;  // relative to the working directory, Windows spelling
    const char* texture;
    int32_t width;
    int32_t height;
};

constexpr int showImageCount = 7;
// In loading order.
extern const ShowImage showImages[showImageCount];

// Compiles "PP_VERT" and "PP_FRAG" and links "PP".
void loadShowShaders(ShaderRegistry& shaders);
// Reads the seven images of the Data folder into their named textures; a
// missing or unreadable image gives an all-zero texture.
void loadShowTextures(TextureRegistry& textures);
// Starts reading and decoding the seven images on a thread of their own;
// loadShowTextures then only uploads them, in the same order.
void prefetchShowPictures();
