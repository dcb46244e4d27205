#include <SDL.h>
#include "platform/gl.h"
#include "shell/run.h"
