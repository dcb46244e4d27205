#pragma once
// OpenGL headers as this platform spells them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
