#pragma once
#include <cstdint>

// One named texture with its own RGBA copy and fixed sampling parameters.
struct TextureEntry {
    char* name = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    unsigned char* pixels = nullptr;  // width x height x 4, zeros when made without pixels
    uint32_t id = 0;
    uint32_t minFilter = 0;  // GL_LINEAR_MIPMAP_LINEAR
    uint32_t magFilter = 0;  // GL_LINEAR
    uint32_t wrap = 0;       // GL_REPEAT for S and T
    uint32_t target = 0;     // GL_TEXTURE_2D
    int32_t mipmapped = 0;   // 1: the upload builds the whole mipmap chain

    void upload();
};

struct TextureNode {
    TextureEntry* entry = nullptr;
    TextureNode* next = nullptr;
};

// Named textures: a singly linked list searched from the head, appended at
// the tail; the first exact, case-sensitive match wins.
struct TextureRegistry {
    TextureNode* head = nullptr;
    TextureNode* tail = nullptr;

    // Copies the pixels (null gives zeros), uploads and appends. Needs a current GL context.
    TextureEntry* create(const char* name, int32_t width, int32_t height, const unsigned char* pixels);
    TextureEntry* find(const char* name) const;
    // Binds the named texture on unit 0 and enables its target; false, with
    // nothing changed, for an unknown name.
    bool bind(const char* name) const;
    void release();

    TextureRegistry() = default;
    ~TextureRegistry();
    TextureRegistry(const TextureRegistry&) = delete;
    TextureRegistry& operator=(const TextureRegistry&) = delete;
};
