#pragma once
#include <cstdint>
#include <thread>

#include "assets/pcx_image.h"

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

// The seven pictures read and decoded ahead, on a thread of their own; only
// the uploads, which need the GL context, are left for the main thread. Its
// owner (the run's context) joins the thread when it goes.
struct PicturePrefetch {
    std::thread worker;
    PcxImage images[showImageCount];
    bool unreadable[showImageCount] = {};

    PicturePrefetch() = default;
    ~PicturePrefetch();
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;
};

// Compiles "PP_VERT" and "PP_FRAG" and links "PP".
void loadShowShaders(ShaderRegistry& shaders);
// Reads the seven images of the Data folder into their named textures, or
// takes them from the prefetch when it was started; a missing or unreadable
// image gives an all-zero texture.
void loadShowTextures(TextureRegistry& textures, PicturePrefetch& pictures);
// Starts reading and decoding the seven images on the prefetch's thread;
// loadShowTextures then only uploads them, in the same order.
void prefetchShowPictures(PicturePrefetch& pictures);
