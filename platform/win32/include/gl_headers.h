#pragma once
// OpenGL headers as Windows spells them: gl.h wants windows.h's calling
// conventions first.
#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
