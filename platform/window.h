#pragma once
#include <cstdint>

struct DemoContext;

// The show window and its GL context. Implemented by each backend, except
// openDemoWindow, readGlVersion and loadContextEntryPoints, which are portable.

// Sets samples to 0, creates the window and context from the context's
// settings, shows the window and sets the viewport and projection.
bool openDemoWindow(DemoContext& context);

// Window, pixel format, GL context, version and extension entry points.
// Prints one line on stderr saying what failed.
bool createGlWindow(DemoContext& context, int32_t width, int32_t height, bool fullscreen,
                    int32_t colorBits, int32_t samples);

// Releases everything createGlWindow made and restores the desktop mode. Safe to run twice.
void destroyGlWindow(DemoContext& context);

// Shows the window, gives it the focus and, in fullscreen, hides the cursor.
void showDemoWindow(DemoContext& context);

// Drains pending window events without waiting: key-downs set the context's
// keys entry of the key's Windows virtual-key code. False once a quit was taken.
bool pumpMessages(DemoContext& context);

// Swaps the window's buffers.
void presentFrame(DemoContext& context);

// Parses GL_VERSION of the current context into glVersion.
void readGlVersion(DemoContext& context);

// The last step of every backend's createGlWindow: the version of the context
// just made current and the extension entry points, with one line on stderr
// naming what the driver lacks.
bool loadContextEntryPoints(DemoContext& context);

// A GL or WGL entry point by name, or null. The SDL backend answers the WGL
// names with its own stand-ins.
void* lookupGlProc(const char* name);
