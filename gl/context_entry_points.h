#pragma once

struct ExtensionLoader;
struct GlVersion;

// Portable steps every backend's window creation ends with.

// Parses GL_VERSION of the current context.
void readGlVersion(GlVersion& version);

// How a backend fills the entry-point table from its current context.
using GlEntryPointLoad = bool (*)(ExtensionLoader& loader, const GlVersion& version);

// The last step of every backend's createGlWindow: the version of the context
// just made current and the entry points, with one line on stderr naming
// what the driver lacks.
bool loadContextEntryPoints(GlVersion& glVersion, ExtensionLoader& loader, GlEntryPointLoad load);
