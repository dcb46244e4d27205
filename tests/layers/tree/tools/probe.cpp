// Tools may reach into anything.
#include <windows.h>
#include <SDL.h>
#include "platform/sdl/include/gl_headers.h"
#include "shell/run.h"
