#include <SDL.h>
#include "gl/gl.h"
#include "run/run.h"
