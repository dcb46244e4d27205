#include <io.h>

#include <cstdio>

#include "tools/capture/terminal.h"

bool stderrIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}
