#include "assets/texture_registry.h"

#include <cstdlib>
#include <cstring>

#include "assets/registry_list.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

void TextureEntry::upload()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    id = texture;
    glBindTexture(target, id);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
    glTexParameteri(target, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrap));
    if (target == GL_TEXTURE_2D)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrap));

    if (target == GL_TEXTURE_1D) {
        if (mipmapped)
            gluBuild1DMipmaps(GL_TEXTURE_1D, 4, width, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        else
            glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, width, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    } else if (mipmapped) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
}

TextureEntry* TextureRegistry::create(const char* name, int32_t width, int32_t height, const unsigned char* pixels)
{
    auto* entry = new TextureEntry;
    entry->name = copyName(name);
    entry->width = width;
    entry->height = height;
    entry->target = GL_TEXTURE_2D;
    const size_t bytes = static_cast<size_t>(width > 0 ? width : 0) * static_cast<size_t>(height > 0 ? height : 0) * 4;
    entry->pixels = static_cast<unsigned char*>(std::calloc(bytes ? bytes : 1, 1));
    if (pixels && bytes)
        std::memcpy(entry->pixels, pixels, bytes);
    entry->minFilter = GL_LINEAR_MIPMAP_LINEAR;
    entry->magFilter = GL_LINEAR;
    entry->wrap = GL_REPEAT;
    entry->mipmapped = 1;
    entry->upload();

    appendNode(head, tail, new TextureNode{entry, nullptr});
    return entry;
}

TextureEntry* TextureRegistry::find(const char* name) const
{
    for (TextureNode* node = head; node; node = node->next)
        if (std::strcmp(node->entry->name, name) == 0)
            return node->entry;
    return nullptr;
}

bool TextureRegistry::bind(const char* name) const
{
    const TextureEntry* entry = find(name);
    if (!entry)
        return false;
    glProcs.glActiveTexture(GL_TEXTURE0);
    glEnable(entry->target);
    glBindTexture(entry->target, entry->id);
    return true;
}

void TextureRegistry::release()
{
    releaseList(head, tail, [](TextureNode& node) {
        TextureEntry* entry = node.entry;
        // At exit the context is already gone and the textures went with it;
        // the delete is then harmless, and an entry never uploaded has no id.
        if (entry->id != 0) {
            const GLuint texture = entry->id;
            glDeleteTextures(1, &texture);
        }
        std::free(entry->name);
        std::free(entry->pixels);
        delete entry;
    });
}

TextureRegistry::~TextureRegistry()
{
    release();
}
