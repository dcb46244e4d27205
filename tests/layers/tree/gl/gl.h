// The GL headers every part includes.
#include <GL/gl.h>
