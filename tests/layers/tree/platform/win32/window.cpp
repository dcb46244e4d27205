#include <windows.h>
#include "platform/gl.h"
#include "shell/run.h"
