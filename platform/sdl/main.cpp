#include "platform/sdl/quit_signal.h"
#include "shell/demo_context.h"
#include "shell/show_run.h"

int main(int, char**)
{
    catchQuitSignals();
    return runShow(gDemo, liveShowSteps(gDemo));
}
