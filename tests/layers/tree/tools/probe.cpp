// Tools may reach into anything.
#include <windows.h>
#include <SDL.h>
#include "backends/sdl/include/gl_headers.h"
#include "run/run.h"
