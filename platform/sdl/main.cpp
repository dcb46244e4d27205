#include "shell/demo_context.h"
#include "shell/show_run.h"

int main(int, char**)
{
    return runShow(gDemo, liveShowSteps(gDemo));
}
