#pragma once
#include <windows.h>

#include <cstdint>

// What the Windows backend keeps of its window and GL context.
struct NativeHandles {
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    HINSTANCE instance = nullptr;
    MSG message = {};  // the pump's scratch record
    int32_t pixelFormat = 0;
    bool classRegistered = false;
};
