#include <windows.h>
#include "gl/gl.h"
#include "run/run.h"
