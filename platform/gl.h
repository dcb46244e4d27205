#pragma once
// Portable code includes OpenGL through here; the backend decides how.
#include "gl_headers.h"

#ifndef APIENTRY
#define APIENTRY
#endif
#ifndef APIENTRYP
#define APIENTRYP APIENTRY *
#endif
