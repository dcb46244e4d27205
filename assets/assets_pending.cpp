#include "assets/shader_registry.h"
#include "assets/show_assets.h"
#include "assets/texture_registry.h"

// Placeholder until the asset loader lands; that work replaces this file.
TextureEntry* TextureRegistry::create(const char*, int32_t, int32_t, const unsigned char*) { return nullptr; }
TextureEntry* TextureRegistry::find(const char*) const { return nullptr; }
bool TextureRegistry::bind(const char*) const { return false; }
void TextureRegistry::release() {}
TextureRegistry::~TextureRegistry() = default;
bool ShaderRegistry::addShader(const char*, uint32_t, const char*) { return true; }
ShaderObject* ShaderRegistry::findShader(const char*) const { return nullptr; }
ShaderProgram* ShaderRegistry::linkProgram() { return nullptr; }
ShaderProgram* ShaderRegistry::findProgram(const char*) const { return nullptr; }
void ShaderRegistry::release() {}
ShaderRegistry::~ShaderRegistry() = default;
void loadShowShaders(ShaderRegistry&) {}
void loadShowTextures(TextureRegistry&) {}
