#pragma once

struct GlVersion;

// "2.1.2" gives 2 and 1. Only the one character before the first point is
// read as the major version. The text keeps the first version read.
void parseGlVersion(const char* versionString, GlVersion& version);
