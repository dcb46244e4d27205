#pragma once
#include <cstdint>

#include "assets/shader_registry.h"
#include "assets/show_assets.h"
#include "assets/texture_registry.h"
#include "launcher/show_settings.h"
#include "music/music_track.h"
#include "gl/gl_procs.h"
#include "frame/viewport.h"

class DemoConfigurator;
class SoundLayer;

// The program's record of one run: the settings it was launched with and
// what the show holds while it plays. main makes it on the sound layer it
// made first, which the music plays through; it names no window or device:
// each backend keeps its own handles.
// Members are destroyed in reverse order, which gives the music back first
// and joins the picture prefetch before main returns.
struct DemoContext {
    ShowSettings settings;
    bool keys[256] = {};
    GlVersion glVersion;
    ExtensionLoader extensionLoader;
    ProjectionSettings projection;

    // Show.
    TextureRegistry textures;
    ShaderRegistry shaders;
    PicturePrefetch pictures;
    MusicTrack music;
    DemoConfigurator* configurator = nullptr;
    bool musicStarted = false;
    int32_t showTime = 0;
    float frameDelta = 0.0f;

    explicit DemoContext(SoundLayer& sound) : music(sound) {}
    ~DemoContext();
    DemoContext(const DemoContext&) = delete;
    DemoContext& operator=(const DemoContext&) = delete;
};
