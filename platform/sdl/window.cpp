#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/gl_procs.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/quit_signal.h"
#include "platform/sdl/video.h"
#include "platform/window.h"
#include "shell/demo_context.h"

namespace {

const char* const windowTitle = "duskwheel2o13";

// SDL has no WGL: these stand in for the three WGL calls the loader fetches.
// Pixel formats (multisampling included) are chosen through SDL's attributes,
// so the pixel-format extension is ours to report.
const char* APIENTRY sdlExtensionsString(void*)
{
    return "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_ARB_multisample";
}

int APIENTRY sdlSwapInterval(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0;
}

int APIENTRY sdlChoosePixelFormat(void*, const int*, const float*, unsigned, int*, unsigned* count)
{
    if (count)
        *count = 0;
    return 0;
}

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

bool fail(DemoContext& context, const char* what, const char* detail)
{
    std::fprintf(stderr, "duskwheel: %s: %s\n", what, detail);
    destroyGlWindow(context);
    return false;
}

}  // namespace

void* lookupGlProc(const char* name)
{
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
        return reinterpret_cast<void*>(&sdlExtensionsString);
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return reinterpret_cast<void*>(&sdlSwapInterval);
    if (std::strcmp(name, "wglChoosePixelFormatARB") == 0)
        return reinterpret_cast<void*>(&sdlChoosePixelFormat);
    if (std::strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return SDL_GL_GetProcAddress(name);
}

bool createGlWindow(DemoContext& context, int32_t width, int32_t height, bool fullscreen, int32_t colorBits,
                    int32_t samples)
{
    NativeHandles& native = context.native;
    context.fullscreen = fullscreen;
    context.colorBits = colorBits;

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
        setGlAttributes(alphaBits, samples);
        native.window = SDL_CreateWindow(windowTitle, 0, 0, width, height, flags);
        if (native.window)
            break;
    }
    if (!native.window) {
        std::fprintf(stderr, "duskwheel: cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    native.deviceContext = native.window;

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
            return fail(context, "the display refuses the fullscreen mode", detail);
        }
    }

    native.renderContext = SDL_GL_CreateContext(native.window);
    if (!native.renderContext)
        return fail(context, "cannot create an OpenGL context", SDL_GetError());
    if (SDL_GL_MakeCurrent(native.window, native.renderContext) != 0)
        return fail(context, "cannot make the OpenGL context current", SDL_GetError());
    native.pixelFormat = 1;
    // The launcher's VSync choice; drivers that refuse keep their default.
    SDL_GL_SetSwapInterval(context.vsync ? 1 : 0);

    return loadContextEntryPoints(context);
}

void showDemoWindow(DemoContext& context)
{
    SDL_ShowWindow(context.native.window);
    SDL_RaiseWindow(context.native.window);
    if (context.fullscreen)
        SDL_ShowCursor(SDL_DISABLE);
}

void destroyGlWindow(DemoContext& context)
{
    NativeHandles& native = context.native;
    if (native.videoStarted)
        SDL_ShowCursor(SDL_ENABLE);
    if (context.fullscreen && native.window)
        SDL_SetWindowFullscreen(native.window, 0);  // back to the desktop mode
    if (native.renderContext) {
        SDL_GL_MakeCurrent(native.window, nullptr);
        SDL_GL_DeleteContext(native.renderContext);
        native.renderContext = nullptr;
    }
    native.deviceContext = nullptr;
    if (native.window) {
        SDL_DestroyWindow(native.window);
        native.window = nullptr;
    }
}

bool pumpMessages(DemoContext& context)
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
                context.keys[vk] = true;
            break;
        }
        default:
            break;
        }
    }
    return true;
}

void presentFrame(DemoContext& context)
{
    SDL_GL_SwapWindow(context.native.window);
}
