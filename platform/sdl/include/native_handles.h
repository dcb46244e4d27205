#pragma once
#include <cstdint>

struct SDL_Window;

// What the SDL backend keeps of its window and GL context. Every backend has
// a deviceContext: the handle the WGL extension string is asked for. Here it
// is the window itself, which is also what buffers are swapped on.
struct NativeHandles {
    SDL_Window* window = nullptr;
    void* deviceContext = nullptr;
    void* renderContext = nullptr;  // SDL_GLContext
    bool videoStarted = false;      // we hold a reference on SDL's video subsystem
    int32_t pixelFormat = 0;
};
