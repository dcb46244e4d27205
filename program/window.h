#pragma once
#include <cstdint>

#include "gl/context_entry_points.h"

struct ShowSettings;

// The show window and its GL context, implemented by each backend, which
// keeps its handles to itself.

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

// A GL entry point of the current context by name, or null.
void* lookupGlProc(const char* name);
