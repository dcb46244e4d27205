#include "assets/shader_registry.h"
#include "assets/texture_registry.h"
#include "music/music_track.h"

// Placeholders until the asset loader and the sound layer land; each owner replaces this file.
TextureRegistry::~TextureRegistry() = default;
ShaderRegistry::~ShaderRegistry() = default;
MusicTrack::~MusicTrack() = default;
