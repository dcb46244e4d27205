#include "shell/run.h"
#include "frame/bands.h"
#include "platform/gl.h"
