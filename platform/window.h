#pragma once
#include <cstdint>

struct ExtensionLoader;
struct GlVersion;
struct ShowSettings;

// The show window and its GL context, implemented by each backend, which
// keeps its handles to itself. readGlVersion and loadContextEntryPoints are
// portable.

// Window, pixel format and GL context at the settings' size, depth, samples,
// fullscreen and vsync; then the context's version and entry points. Prints
// one line on stderr saying what failed and undoes what it made.
bool createGlWindow(const ShowSettings& settings, GlVersion& glVersion, ExtensionLoader& loader);

// Releases everything createGlWindow made and restores the desktop mode. Safe to run twice.
void destroyGlWindow();

// Shows the window, gives it the focus and, in fullscreen, hides the cursor.
void showDemoWindow();

// Drains pending window events without waiting: key-downs set the entry of
// the key's Windows virtual-key code. False once a quit was taken.
bool pumpMessages(bool (&keys)[256]);

// Swaps the window's buffers.
void presentFrame();

// Parses GL_VERSION of the current context.
void readGlVersion(GlVersion& version);

// How a backend fills the entry-point table from its current context.
using GlEntryPointLoad = bool (*)(ExtensionLoader& loader, const GlVersion& version);

// The last step of every backend's createGlWindow: the version of the context
// just made current and the entry points, with one line on stderr naming
// what the driver lacks.
bool loadContextEntryPoints(GlVersion& glVersion, ExtensionLoader& loader, GlEntryPointLoad load);

// A GL entry point of the current context by name, or null.
void* lookupGlProc(const char* name);
