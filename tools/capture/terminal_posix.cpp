#include <unistd.h>

#include "tools/capture/terminal.h"

bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}
