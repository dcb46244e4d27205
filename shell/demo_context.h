#pragma once
#include <cstdint>
#include <vector>

#include "assets/shader_registry.h"
#include "assets/texture_registry.h"
#include "launcher/display_modes.h"
#include "music/music_track.h"
#include "native_handles.h"  // the backend's window and context handles
#include "shell/aspect_code.h"

struct GlVersion {
    int32_t major = 0;
    int32_t minor = 0;
    char* text = nullptr;  // "M.m", allocated on the first read and kept
};

struct DemoContext;

struct ExtensionLoader {
    DemoContext* owner = nullptr;
    bool loaded = false;
};

class DemoConfigurator;

// The one record through which the parts of the demo share settings and
// run-time state. Members are destroyed in reverse order at exit, which gives
// the music back first and the display-mode list last.
struct DemoContext {
    // Display and window.
    std::vector<DisplayMode> displayModes;
    int32_t width = 0;
    int32_t height = 0;
    bool fullscreen = false;
    bool vsync = false;
    int32_t colorBits = 0;
    int32_t samples = 0;
    int32_t maxSamples = 0;
    int32_t aspect = AspectNone;
    int32_t desktopAspect = AspectNone;
    NativeHandles native;  // window, device and rendering context, pixel format
    bool keys[256] = {};
    GlVersion glVersion;

    // Show.
    ExtensionLoader extensionLoader;
    TextureRegistry textures;
    ShaderRegistry shaders;
    MusicTrack music;
    DemoConfigurator* configurator = nullptr;
    bool musicEnabled = false;
    bool musicStarted = false;
    int32_t showTime = 0;
    float frameDelta = 0.0f;

    // Reads the display modes and the desktop aspect from the given source;
    // a null source leaves the list empty and the aspect unknown.
    explicit DemoContext(const DisplaySource* displays = nullptr);
    ~DemoContext();
    DemoContext(const DemoContext&) = delete;
    DemoContext& operator=(const DemoContext&) = delete;
};

// The program's one context, defined by the backend so that it can read the
// display driver while it is constructed, before main runs.
extern DemoContext gDemo;
