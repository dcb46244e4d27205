#pragma once
// Portable code includes OpenGL through here. The Windows build defines the
// calling-convention macros that its gl.h would otherwise take from windows.h.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>

#ifndef APIENTRY
#define APIENTRY
#endif
#ifndef APIENTRYP
#define APIENTRYP APIENTRY *
#endif
