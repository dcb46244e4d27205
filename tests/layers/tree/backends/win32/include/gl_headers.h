#include <windows.h>
#include <GL/gl.h>
