#pragma once
#include <windows.h>

#include <cstdint>

// What the Windows backend keeps of the show window and its GL context.
struct Win32Window {
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    HINSTANCE instance = nullptr;
    MSG message = {};  // the pump's scratch record
    int32_t pixelFormat = 0;
    bool classRegistered = false;
    bool fullscreen = false;
};

// The backend's one show window, for its own tests to look at.
const Win32Window& win32ShowWindow();
