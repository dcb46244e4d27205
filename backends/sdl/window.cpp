#include <SDL.h>

#include <cstdio>
#include <initializer_list>

#include "gl/gl_procs.h"
#include "backends/sdl/key_map.h"
#include "backends/sdl/quit_signal.h"
#include "backends/sdl/video.h"
#include "program/window.h"
#include "launcher/show_settings.h"

namespace {

const char* const windowTitle = "duskwheel2o13";

// The show window as this backend keeps it; nothing outside this file sees it.
struct SdlWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext renderContext = nullptr;
    bool videoStarted = false;  // we hold a reference on SDL's video subsystem
    bool fullscreen = false;
};
SdlWindow shown;

void setGlAttributes(int alphaBits, int32_t samples)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    // Stencil 8 rather than 16: X visuals offer at most 8 bits, and the show only clears it.
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

bool fail(const char* what, const char* detail)
{
    std::fprintf(stderr, "duskwheel: %s: %s\n", what, detail);
    destroyGlWindow();
    return false;
}

bool loadEntryPoints(ExtensionLoader& loader, const GlVersion& version)
{
    return loadGlExtensionsFrom(loader, version, liveGlLoaderSource(lookupGlProc));
}

}  // namespace

void* lookupGlProc(const char* name)
{
    return SDL_GL_GetProcAddress(name);
}

bool createGlWindow(const ShowSettings& settings, GlVersion& glVersion, ExtensionLoader& loader)
{
    SdlWindow& native = shown;
    const int32_t width = settings.width;
    const int32_t height = settings.height;
    const bool fullscreen = settings.fullscreen;
    native.fullscreen = fullscreen;

    if (const char* why = sdlVideoUnreachable()) {
        std::fprintf(stderr, "duskwheel: cannot open the display %s\n", why);
        return false;
    }
    native.videoStarted = true;
    // A zero or negative size gets one line and no window, rather than a window nothing can fill.
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "duskwheel: no usable window size (%dx%d)\n", width, height);
        return false;
    }

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    // One bit of destination alpha is enough; displays without alpha visuals get none.
    for (int alphaBits : {1, 0}) {
        setGlAttributes(alphaBits, settings.samples);
        native.window = SDL_CreateWindow(windowTitle, 0, 0, width, height, flags);
        if (native.window)
            break;
    }
    if (!native.window) {
        std::fprintf(stderr, "duskwheel: cannot create the window: %s\n", SDL_GetError());
        return false;
    }

    // SDL sets a fullscreen mode through a window, so the hidden window comes first and goes if refused.
    if (fullscreen) {
        SDL_DisplayMode desktop;
        SDL_DisplayMode wanted{};
        SDL_DisplayMode closest;
        const int display = SDL_GetWindowDisplayIndex(native.window);
        SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop);
        wanted.format = SDL_PIXELFORMAT_RGB888;
        wanted.w = width;
        wanted.h = height;
        wanted.refresh_rate = desktop.refresh_rate;
        if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest) || closest.w != width ||
            closest.h != height || SDL_SetWindowDisplayMode(native.window, &closest) != 0) {
            char detail[64];
            std::snprintf(detail, sizeof detail, "%dx%d is not offered", width, height);
            return fail("the display refuses the fullscreen mode", detail);
        }
    }

    native.renderContext = SDL_GL_CreateContext(native.window);
    if (!native.renderContext)
        return fail("cannot create an OpenGL context", SDL_GetError());
    if (SDL_GL_MakeCurrent(native.window, native.renderContext) != 0)
        return fail("cannot make the OpenGL context current", SDL_GetError());
    // The launcher's VSync choice; drivers that refuse keep their default.
    SDL_GL_SetSwapInterval(settings.vsync ? 1 : 0);

    return loadContextEntryPoints(glVersion, loader, loadEntryPoints);
}

void showDemoWindow()
{
    SDL_ShowWindow(shown.window);
    SDL_RaiseWindow(shown.window);
    if (shown.fullscreen)
        SDL_ShowCursor(SDL_DISABLE);
}

void destroyGlWindow()
{
    SdlWindow& native = shown;
    if (native.videoStarted)
        SDL_ShowCursor(SDL_ENABLE);
    if (native.fullscreen && native.window)
        SDL_SetWindowFullscreen(native.window, 0);  // back to the desktop mode
    if (native.renderContext) {
        SDL_GL_MakeCurrent(native.window, nullptr);
        SDL_GL_DeleteContext(native.renderContext);
        native.renderContext = nullptr;
    }
    if (native.window) {
        SDL_DestroyWindow(native.window);
        native.window = nullptr;
    }
}

bool pumpMessages(bool (&keys)[256])
{
    // SIGINT or SIGTERM ends the show as the close box does.
    if (quitSignalled())
        return false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }
            break;
        case SDL_KEYDOWN: {
            const int vk = virtualKeyFor(event.key.keysym.sym);
            if (vk >= 0 && vk < 256)
                keys[vk] = true;
            break;
        }
        default:
            break;
        }
    }
    return true;
}

void presentFrame()
{
    SDL_GL_SwapWindow(shown.window);
}
