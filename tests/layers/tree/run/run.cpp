#include "run/run.h"
#include "frame/bands.h"
#include "gl/gl.h"
