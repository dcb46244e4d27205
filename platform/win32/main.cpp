#include <windows.h>

#include "platform/win32/failure_report.h"
#include "shell/demo_context.h"
#include "shell/show_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    catchStderrWithoutConsole();
    const int result = runShow(gDemo, liveShowSteps(gDemo));
    showCaughtFailure(result);
    return result;
}
